// The command grid's shortcut column: a key that another menu item would hold at the
// next start is refused, because two items on one key run neither.
#include "commands/UniCom.h"
#include "core/Global.h"
#include "platform/Dialogs.h"
#include "shell/MainMenus.h"
#include "shell/SetDg.h"

namespace {
constexpr int ColMenuName = 1, ColShort = 3;
}

std::string TSetDialog::ShortCutHolder(int Row, const std::string& Short) const {
    const std::string Key = UpCaseStr(TextToShortCut(Short));
    if (Key.empty()) return {};
    const TStringGrid& G = *StrGridCommands;
    for (const TMenuGroupDef& Group : MenuDesign())
        for (const TMenuDef& Item : Group.Items) {
            // The row whose keyword the item types, if any: its shortcut cell replaces
            // the item's own key at the next start.
            int k = 0;
            for (int r = 1; r <= BuiltInComCount && !k; ++r)
                if (Item.Name == std::string(BuiltInCom(r).MenuItem)) k = r;
            if (k == Row) continue;
            const std::string Cell = k ? G.Cells[ColShort][size_t(k)] : std::string();
            const std::string Held = Cell.empty() || BuiltInCom(k).Keyword == std::string("SURFACE")
                                         ? std::string(Item.Short)
                                         : TextToShortCut(Cell);
            if (UpCaseStr(Held) != Key) continue;
            const std::string Caption = k ? G.Cells[ColMenuName][size_t(k)] : std::string();
            return Caption.empty() ? Item.Caption : Caption;
        }
    return {};
}

void TSetDialog::StrGridCommandsSetEditText(int32_t Col, int32_t Row, const std::string& Value) {
    if (Col != ColShort || Row < 1 || Row > BuiltInComCount) return;
    if (size_t(Row) >= TakenShort.size()) TakenShort.resize(size_t(Row) + 1);
    const std::string Holder = ShortCutHolder(Row, Value);
    if (Holder.empty()) {
        TakenShort[size_t(Row)] = Value;
        return;
    }
    StrGridCommands->Cells[ColShort][size_t(Row)] = TakenShort[size_t(Row)];
    MessageDlg("Zkratku " + TextToShortCut(Value) + " už má položka menu \"" + Holder + "\".",
               TMsgDlgType::mtError, mbOK);
}
