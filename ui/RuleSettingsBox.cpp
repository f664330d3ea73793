#include "ui/RuleSettingsBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

#include "rules/RuleSettings.h"
#include "ui/Session.h"

TRuleSettingsBox::TRuleSettingsBox(QWidget* parent) : QGroupBox(QStringLiteral("Rules"), parent) {
    setObjectName(QStringLiteral("RuleSettings"));
    const kalvon::TRuleSettings defaults;
    cbShowForbidden = new QCheckBox(QStringLiteral("Mark black's forbidden points (renju)"), this);
    cbShowForbidden->setObjectName(QStringLiteral("cbShowForbidden"));
    cbShowForbidden->setChecked(defaults.ShowForbidden);
    seVcfLength = new QSpinBox(this);
    seVcfLength->setObjectName(QStringLiteral("seVcfLength"));
    seVcfLength->setRange(kalvon::VcfLengthRange.Min, kalvon::VcfLengthRange.Max);
    seVcfLength->setValue(defaults.VcfLength);
    seVcfLength->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    auto* grid = new QGridLayout(this);
    grid->addWidget(cbShowForbidden, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("VCF length (moves of the attacker)"), this), 1, 0);
    grid->addWidget(seVcfLength, 1, 1);
}

void TRuleSettingsBox::Load(const kalvon::TParameterList& list) {
    const kalvon::TRuleSettings settings = kalvon::ReadRuleSettings(list);
    cbShowForbidden->setChecked(settings.ShowForbidden);
    seVcfLength->setValue(settings.VcfLength);
}

void TRuleSettingsBox::Store(TSession& session) const {
    session.StoreRuleSettings(cbShowForbidden->isChecked(), seVcfLength->value());
}
