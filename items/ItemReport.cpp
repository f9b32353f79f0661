// The item report layout.
#include "items/ItemReport.h"

namespace kelvo {

std::string BuildItemReport(const std::string& dirText, const std::string& nameText, const std::string& body) {
    std::string text = "\"";
    text += dirText;
    text += "\"ディレクトリ内処理中...\n\"";
    text += nameText;
    text += "\"を\n";
    text += body;
    text += "に変更しました。";
    return text;
}

}  // namespace kelvo
