// The attribute half of an item change.
#include "items/AttributeChange.h"

namespace kelvo {

const AttributeLine kAttributeLines[4] = {
    {kAttrReadOnly, "読み取り専用属性無効\n", "読み取り専用属性有効\n"},
    {kAttrHidden, "隠しファイル属性無効\n", "隠しファイル属性有効\n"},
    {kAttrArchive, "アーカイブ属性無効\n", "アーカイブ属性有効\n"},
    {kAttrSystem, "システム属性無効\n", "システム属性有効\n"},
};

bool ApplyAttributeChoices(uint8_t attributes, const AttributeChoices& choices, uint8_t& newAttributes,
                           std::string& report) {
    newAttributes = attributes;
    report.clear();
    bool changed = false;
    for (size_t i = 0; i < choices.size(); ++i) {
        const AttributeLine& line = kAttributeLines[i];
        const bool isSet = (newAttributes & line.bit) != 0;
        if (choices[i] == kClearAttribute && isSet) {
            newAttributes = static_cast<uint8_t>(newAttributes & ~line.bit);
            report += line.clearedLine;
            changed = true;
        } else if (choices[i] == kSetAttribute && !isSet) {
            newAttributes = static_cast<uint8_t>(newAttributes | line.bit);
            report += line.setLine;
            changed = true;
        }
    }
    return changed;
}

}  // namespace kelvo
