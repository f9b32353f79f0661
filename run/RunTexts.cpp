// The run's own texts.
#include "run/RunTexts.h"

namespace kelvo {

const char* const kTargetRefusedText = "設定したパスが存在しない、又はディレクトリでは無いと思われます。";
const char* const kTargetRefusedCaption = "エラー <カレントディレクトリが移動できません>";
const char* const kClimbedText = "カレントディレクトリが一つ上のディレクトリに移動しました。";
const char* const kNoRecordText = "変更記録を作成できません。記録なしで実行しますか?";
const char* const kNoRecordCaption = "確認";
const char* const kUndoingText = "元に戻しています...";
const char* const kUndoneUnmarkedText = "元に戻したことを変更記録に書き込めません。次の取り消しでは元に戻った項目は飛ばされます。";
const char* const kRecordWriteFailedText = "変更記録を書き込めないため、一括変更を中断しました。";
const char* const kRecordWriteFailedCaption = "エラー";

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Closing(std::string text, bool anyChange, int failures) {
    if (!anyChange) text += "\n変更は何もありませんでした。";
    if (failures > 0) text += "\n変更できなかった項目: " + std::to_string(failures) + "件";
    return text;
}

std::string PreviewClosing(std::string text, int failures) {
    if (failures > 0) text += "\n変更できない項目: " + std::to_string(failures) + "件";
    return text;
}

std::string UndoClosing(std::string text, int left) {
    if (left > 0) text += "\n元に戻せなかった項目: " + std::to_string(left) + "件";
    return text;
}

}  // namespace

std::string EnteredFolderText(const std::string& name) {
    return Quoted(name) + "\nディレクトリ内に移動しました。\n" + Quoted(name) + "\nディレクトリ内処理中...";
}

std::string FolderFinishedText(const std::string& targetPath, bool anyChange, int failures) {
    return Closing(Quoted(targetPath) + "\nディレクトリ内の全ての処理が終了しました。", anyChange, failures);
}

std::string FolderCancelledText(const std::string& targetPath, bool anyChange, int failures) {
    return Closing(Quoted(targetPath) + "\nディレクトリ内の処理中にキャンセルしました。", anyChange, failures);
}

std::string FolderStoppedText(const std::string& targetPath, bool anyChange, int failures) {
    return Closing(Quoted(targetPath) + "\nディレクトリ内の処理中に中断しました。", anyChange, failures);
}

std::string FileFinishedText(const std::string& targetPath, bool anyChange, int failures) {
    return Closing(Quoted(targetPath) + "\nファイルの処理が終了しました。", anyChange, failures);
}

std::string PreviewFinishedText(const std::string& targetPath, long changes, int failures) {
    return PreviewClosing(Quoted(targetPath) + "\n変更内容の確認が終わりました。(" + std::to_string(changes) + "項目を変更します)",
                          failures);
}

std::string PreviewCancelledText(const std::string& targetPath, int failures) {
    return PreviewClosing(Quoted(targetPath) + "\n変更内容の確認を中断しました。", failures);
}

std::string UndoFinishedText(const std::string& targetPath, int left) {
    return UndoClosing(Quoted(targetPath) + "\n直前の一括変更を元に戻しました。", left);
}

std::string UndoCancelledText(const std::string& targetPath, int left) {
    return UndoClosing(Quoted(targetPath) + "\n直前の一括変更を元に戻すのを中断しました。", left);
}

}  // namespace kelvo
