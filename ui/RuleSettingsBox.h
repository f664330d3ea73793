// The rules' part of the "Adjustment" dialog: whether black's forbidden points are marked on the
// board, and the length limit of "Find VCF" and "Find Threat".
#pragma once

#include <QGroupBox>

#include "base/SettingsFile.h"

class QCheckBox;
class QSpinBox;
class TSession;

class TRuleSettingsBox final : public QGroupBox {
    Q_OBJECT
public:
    explicit TRuleSettingsBox(QWidget* parent);

    // The fields from the rules' settings of the parameter list.
    void Load(const kalvon::TParameterList& list);
    // The fields in force and into the parameter list (the dialog's OK).
    void Store(TSession& session) const;

private:
    QCheckBox* cbShowForbidden;
    QSpinBox* seVcfLength;
};
