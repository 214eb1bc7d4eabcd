#pragma once

#include "network/profile.h"

#include <QWidget>

#include <optional>

namespace controls::qt {

// The profile drawn to the view's size; with nothing to draw it says why in grey.
class ProfileView final : public QWidget {
public:
    explicit ProfileView(QWidget* parent);
    void setProfile(network::Profile profile);
    void setNone(const QString& why);
    const std::optional<network::Profile>& profile() const { return m_profile; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    std::optional<network::Profile> m_profile;
    QString m_none;
};

} // namespace controls::qt
