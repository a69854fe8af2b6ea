#pragma once

#include "DialogBase.h"

#include <array>

class QCheckBox;

namespace korven {

// The states of all eight outputs.
class TedWyjsciaForm : public ui::DialogBase {
    Q_OBJECT
public:
    explicit TedWyjsciaForm(QWidget *parent = nullptr);

    // cb0 .. cb7: "OUT 1" .. "OUT 6", "PK 1", "PK 2".
    std::array<QCheckBox *, 8> cb;

    std::array<bool, 8> states() const;
    void setStates(const std::array<bool, 8> &states);
};

} // namespace korven
