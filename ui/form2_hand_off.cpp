#include "ui/form2_hand_off.h"

#include "steam/steam_table.h"

namespace steam {

void DensityHandOff::STREAM_D_SET() {
    // Only the selected row counts, never the text of the edit field.
    const auto choice = densityChoice(m_list.selectedIndex());
    if (!choice)
        return;
    m_label.setCaption(choice->label);
    m_densityBox.setText(choice->density);
}

} // namespace steam
