// Reading the arguments into a job.
#include "console/CommandLine.h"

#include <cctype>
#include <cstring>
#include <set>

#include "console/TimeArgument.h"
#include "panels/RenamePanel.h"

namespace kelvo {

namespace {

const char* const kUnknownOption = "不明なオプションです: ";
const char* const kUnreadableTime = "日時を読めません: ";
const char* const kNoValue = "値がありません: ";
const char* const kTwice = "同じ項目が二度指定されています: ";
const char* const kForbiddenChars = "ファイル名に使えない文字があります: ";
const char* const kNoSearchText = "置換する文字列がありません (<置換前>=<置換後>): ";
const char* const kNoRecursion = "フォルダの下は常に全て処理されるため、このオプションは要りません: ";
const char* const kTargetFirst = "最初に対象のパスを指定してください (\"-\"、\"/\"、\"+\" で始まるパスは .\\ を付けてください): ";
const char* const kSecondTarget = "対象のパスは一つだけ指定できます: ";
const char* const kNotWithUndo = "/UNDO と一緒には指定できません: ";
const char* const kOneEncoding = "/U16 と /OEM は一緒に指定できません: ";
const char* const kMixedTimes = "日時の指定と \"=\"、\"+\"、\"-\" による指定は一緒に使えません: ";
const char* const kOneOffset = "ずらす量は全ての日時で同じでなければなりません: ";
const char* const kOwnTime = "同じ日時は写せません: ";

std::string Upper(const std::string& text) {
    std::string upper = text;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

bool StartsOption(const std::string& token) {
    return !token.empty() && (token[0] == '/' || token[0] == '-' || token[0] == '+');
}

class Parser {
public:
    Parser(Command& command, std::string& error) : command_(command), error_(error) {}

    bool Token(const std::string& token);
    bool Finish();
    bool ChangesAnything() const;

private:
    bool Refuse(const char* why, const std::string& token) {
        error_ = std::string(why) + token;
        return false;
    }
    // Each thing may be asked for once.
    bool Once(const std::string& key, const std::string& token) {
        return seen_.insert(key).second || Refuse(kTwice, token);
    }
    bool Attribute(const std::string& token);
    bool Value(const std::string& key, const std::string& value, const std::string& token);
    bool Time(TimeKind kind, const std::string& value, const std::string& token);
    bool RuleText(std::string& target, const std::string& value, const std::string& token);
    bool Replacement(std::string& what, std::string& with, const std::string& value, const std::string& token);

    Command& command_;
    std::string& error_;
    std::set<std::string> seen_;
    bool anyDate_ = false;
    bool anyRule_ = false;
    bool anyShift_ = false;
    bool anyRename_ = false;
};

bool Parser::Attribute(const std::string& token) {
    static const char kLetters[] = {'R', 'H', 'A', 'S'};
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(token[1])));
    for (int i = 0; i < 4; ++i) {
        if (kLetters[i] != letter) continue;
        if (!Once(std::string("attribute ") + letter, token)) return false;
        command_.job.attributeChoices[i] = token[0] == '+' ? kSetAttribute : kClearAttribute;
        return true;
    }
    return Refuse(kUnknownOption, token);
}

bool Parser::Time(TimeKind kind, const std::string& value, const std::string& token) {
    TimeArgument argument;
    if (!ParseTimeArgument(value, argument)) return Refuse(kUnreadableTime, token);
    JobSettings& job = command_.job;
    if (argument.form == TimeArgument::Form::Date) {
        if (anyRule_) return Refuse(kMixedTimes, token);
        anyDate_ = true;
        job.timeEnables[kind] = true;
        DateTimeFields* rows[] = {&job.creationFields, &job.modificationFields, &job.accessFields};
        *rows[kind] = argument.fields;
        return true;
    }
    if (anyDate_) return Refuse(kMixedTimes, token);
    anyRule_ = true;
    if (argument.form == TimeArgument::Form::Copy) {
        if (argument.source == kind) return Refuse(kOwnTime, token);
        static const TimeRule kFrom[] = {TimeRule::FromCreation, TimeRule::FromModification, TimeRule::FromAccess};
        job.timeAdjust.rules[kind] = kFrom[argument.source];
        return true;
    }
    if (anyShift_ && job.timeAdjust.offset != argument.offset) return Refuse(kOneOffset, token);
    anyShift_ = true;
    job.timeAdjust.rules[kind] = TimeRule::Shift;
    job.timeAdjust.offset = argument.offset;
    return true;
}

// The rename panel's rule: no character that can't stand in a file name.
bool Parser::RuleText(std::string& target, const std::string& value, const std::string& token) {
    std::string stripped = value;
    if (StripNameChars(stripped) > 0) return Refuse(kForbiddenChars, token);
    target = value;
    anyRename_ = true;
    return true;
}

bool Parser::Replacement(std::string& what, std::string& with, const std::string& value, const std::string& token) {
    const size_t equals = value.find('=');
    if (equals == std::string::npos || equals == 0) return Refuse(kNoSearchText, token);
    std::string search = value.substr(0, equals), replacement = value.substr(equals + 1);
    std::string a = search, b = replacement;
    if (StripNameChars(a) > 0 || StripNameChars(b) > 0) return Refuse(kForbiddenChars, token);
    what = search;
    with = replacement;
    anyRename_ = true;
    return true;
}

bool Parser::Value(const std::string& key, const std::string& value, const std::string& token) {
    JobSettings& job = command_.job;
    RenameRules& rules = job.renameRules;
    if (key == "C") return Time(kCreationTime, value, token);
    if (key == "M") return Time(kModificationTime, value, token);
    if (key == "T") return Time(kAccessTime, value, token);
    if (key == "TH") return RuleText(rules.titleHead, value, token);
    if (key == "TT") return RuleText(rules.titleTail, value, token);
    if (key == "EH") return RuleText(rules.extHead, value, token);
    if (key == "ET") return RuleText(rules.extTail, value, token);
    if (key == "TR") return Replacement(rules.titleWhat, rules.titleWith, value, token);
    if (key == "ER") return Replacement(rules.extWhat, rules.extWith, value, token);
    std::vector<std::string>& patterns = key == "I" ? job.patterns.include : job.patterns.exclude;
    patterns = SplitPatterns(value);
    if (patterns.empty()) return Refuse(kNoValue, token);
    return true;
}

bool Parser::Token(const std::string& token) {
    // "-D", "-Q" are options given with "-"; only the four letters are attributes.
    const bool attributeLetter =
        token.size() == 2 && std::strchr("RHAS", std::toupper(static_cast<unsigned char>(token[1]))) != nullptr;
    if (attributeLetter && (token[0] == '+' || token[0] == '-')) return Attribute(token);
    if (token[0] == '+') return Refuse(kUnknownOption, token);
    if (token.size() < 2 || (token[0] != '/' && token[0] != '-')) return Refuse(kUnknownOption, token);
    const std::string body = token.substr(1);
    const size_t colon = body.find(':');
    const std::string key = Upper(body.substr(0, colon));
    static const std::set<std::string> kValueKeys = {"C", "M", "T", "TH", "TT", "EH", "ET", "TR", "ER", "I", "X"};
    if (kValueKeys.count(key) != 0) {
        if (colon == std::string::npos || colon + 1 == body.size()) return Refuse(kNoValue, token);
        return Once(key, token) && Value(key, body.substr(colon + 1), token);
    }
    if (colon != std::string::npos) return Refuse(kUnknownOption, token);
    if (key == "S") return Refuse(kNoRecursion, token);
    if (key == "D") return Once(key, token) && (command_.job.applyToFolders = true);
    if (key == "DEL") return Once(key, token) && (command_.job.renameRules.mode = 1);
    if (key == "PREVIEW") return Once(key, token) && (command_.preview = true);
    if (key == "Q") return Once(key, token) && (command_.quiet = true);
    if (key == "U16" || key == "OEM") {
        if (command_.output != OutputOption::Default) return Refuse(kOneEncoding, token);
        command_.output = key == "U16" ? OutputOption::Utf16 : OutputOption::Oem;
        return true;
    }
    return Refuse(kUnknownOption, token);
}

bool Parser::Finish() {
    command_.job.renameEnabled = anyRename_;
    return true;
}

bool Parser::ChangesAnything() const {
    const JobSettings& job = command_.job;
    for (int choice : job.attributeChoices) {
        if (choice != kLeaveAttribute) return true;
    }
    return anyDate_ || anyRule_ || anyRename_;
}

}  // namespace

ParseOutcome ParseCommandLine(const std::vector<std::string>& arguments, Command& command, std::string& error) {
    command = Command();
    command.job.attributeChoices = {kLeaveAttribute, kLeaveAttribute, kLeaveAttribute, kLeaveAttribute};
    error.clear();
    if (arguments.empty()) return ParseOutcome::Usage;
    Parser parser(command, error);
    const std::string first = Upper(arguments[0]);
    if (first == "/?" || first == "-?") {
        command.kind = Command::Kind::Help;
        for (size_t i = 1; i < arguments.size(); ++i) {
            error = kUnknownOption + arguments[i];
            return ParseOutcome::Refused;
        }
        return ParseOutcome::Ready;
    }
    if (first == "/UNDO" || first == "-UNDO") {
        command.kind = Command::Kind::Undo;
        for (size_t i = 1; i < arguments.size(); ++i) {
            const std::string option = Upper(arguments[i]);
            const bool allowed = option.size() > 1 && (option[0] == '/' || option[0] == '-') &&
                                 (option.substr(1) == "Q" || option.substr(1) == "U16" || option.substr(1) == "OEM");
            if (!allowed) {
                if (!parser.Token(arguments[i])) return ParseOutcome::Refused;
                error = kNotWithUndo + arguments[i];
                return ParseOutcome::Refused;
            }
            if (!parser.Token(arguments[i])) return ParseOutcome::Refused;
        }
        return ParseOutcome::Ready;
    }
    if (StartsOption(arguments[0])) {
        // An option in the target's place that names nothing known is said to be so.
        Command probe;
        std::string unknown;
        Parser check(probe, unknown);
        if (!check.Token(arguments[0]) && unknown.rfind(kUnknownOption, 0) == 0) {
            error = unknown;
        } else {
            error = kTargetFirst + arguments[0];
        }
        return ParseOutcome::Refused;
    }
    command.job.targetPath = arguments[0];
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (!StartsOption(arguments[i])) {
            error = kSecondTarget + arguments[i];
            return ParseOutcome::Refused;
        }
        if (!parser.Token(arguments[i])) return ParseOutcome::Refused;
    }
    parser.Finish();
    if (!parser.ChangesAnything()) return ParseOutcome::Usage;
    return ParseOutcome::Ready;
}

}  // namespace kelvo
