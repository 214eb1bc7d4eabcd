#include "ui/network_handlings.h"

#include <string>
#include <vector>

// The network window's 散热 group: its lists, its texts read and shown, and which of its boxes
// take input.
namespace ui {

void NetworkHandlings::fillHeatLists() {
    auto& c = m_controls;
    int index = 0;
    for (const std::string_view material : network::kMaterialShown)
        c.material.addItem(material, index++);
    index = 0;
    for (const std::string_view operation : network::kOperationShown)
        c.operation.addItem(operation, index++);
    c.segments.setColumnItems(network::Laid, std::vector<std::string>(network::kLayingShown.begin(),
                                                                      network::kLayingShown.end()));
}

network::HeatTexts NetworkHandlings::readHeat() const {
    const auto& c = m_controls;
    return {.on = c.heatOn.isChecked(),
            .ambient = c.ambient.text(),
            .wind = c.wind.text(),
            .material = c.material.text(),
            .conductivity = c.conductivity.text(),
            .emissivity = c.emissivity.text(),
            .surfaceCoefficient = c.surfaceCoefficient.text(),
            .factor = c.factor.text(),
            .operation = c.operation.text()};
}

void NetworkHandlings::showHeat(const network::HeatTexts& texts) {
    auto& c = m_controls;
    (texts.on ? c.heatOn : c.heatOff).setChecked(true);
    c.ambient.setText(texts.ambient);
    c.wind.setText(texts.wind);
    c.material.setText(texts.material);
    c.conductivity.setText(texts.conductivity);
    c.emissivity.setText(texts.emissivity);
    c.surfaceCoefficient.setText(texts.surfaceCoefficient);
    c.factor.setText(texts.factor);
    c.operation.setText(texts.operation);
    enableHeat();
}

// Off, the group's boxes are not read, and so take no input; the typed conductivity only with
// the list's last item, which asks for it.
void NetworkHandlings::enableHeat() {
    auto& c = m_controls;
    const bool on = c.heatOn.isChecked();
    for (controls::TextBox* box :
         {&c.ambient, &c.wind, &c.emissivity, &c.surfaceCoefficient, &c.factor})
        box->setEnabled(on);
    c.material.setEnabled(on);
    c.operation.setEnabled(on);
    c.conductivity.setEnabled(on && c.material.text() == network::kMaterialShown.back());
}

void NetworkHandlings::heat_Click() {
    enableHeat();
    calculate();
}

void NetworkHandlings::material_Click() {
    enableHeat();
    calculate();
}

} // namespace ui
