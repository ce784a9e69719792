// The measuring conditions dialog, driven through its widgets.
#include <gtest/gtest.h>

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>
#include <tuple>

#include "gui_fixture.h"
#include "messages/catalogue.h"
#include "ui/conditions_dialog.h"

namespace tessaroven {
namespace {

// Replaces the field's text as an input method commits it (QTest::keyClicks types Latin-1 only).
QLineEdit* Type(const QWidget& dialog, const char* name, const QString& text) {
    auto* field = dialog.findChild<QLineEdit*>(name);
    field->clear();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(field, &commit);
    return field;
}

using ConditionsDialogTest = testing::GuiTest;

TEST_F(ConditionsDialogTest, shows_the_record_and_writes_the_typed_fields_on_ok_only) {
    // State: some conditions, a number 15 significant digits cannot show exactly, and a calibration date an
    // older program kept as free text.
    record.conditions.scanner = "CT 1";
    record.conditions.calibrationDate = "2025年春";
    record.conditions.calibrationFactor = 0.1 + 0.2;
    record.calibrationUncertaintyPercent = 2.5;
    // Action: change a text, then Cancel. Expected: nothing changes.
    ConditionsDialog cancelled(record);
    cancelled.show();
    Type(cancelled, "scannerEdit", QStringLiteral("CT 9"));
    QTest::mouseClick(cancelled.cancelButton, Qt::LeftButton);
    EXPECT_EQ(record.conditions.scanner, "CT 1");
    ConditionsDialog dialog(record);
    dialog.show();
    EXPECT_EQ(dialog.findChild<QLineEdit*>("scannerEdit")->text(), "CT 1");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("calibrationFactorEdit")->text(), "0.3");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("calibrationUncertaintyEdit")->text(), "2.5");
    // Tab walks the 17 fields from top to bottom.
    QWidget* at = dialog.findChild<QLineEdit*>("scannerEdit");
    at->setFocus();
    for (int i = 1; i < 17; at = dialog.focusWidget(), ++i) {
        QTest::keyClick(at, Qt::Key_Tab);
        EXPECT_GT(dialog.focusWidget()->y(), at->y()) << dialog.focusWidget()->objectName().toStdString();
    }
    // Action: a text, an emptied uncertainty, a full-width number, a range's end, an era date, the comment
    // and Enter. Expected: written, the date in the file's form, the untouched free-text date kept.
    Type(dialog, "scannerEdit", QStringLiteral("CT 2"));
    Type(dialog, "calibrationUncertaintyEdit", QString());
    Type(dialog, "collimationEdit", QStringLiteral("200"));
    Type(dialog, "measuredOnEdit", QStringLiteral("令和8年12月7日"));
    Type(dialog, "commentEdit", QStringLiteral("QC 2026"));
    QLineEdit* voltage = Type(dialog, "tubeVoltageEdit", QStringLiteral("１２０"));
    messages.ExpectNone([&] { QTest::keyClick(voltage, Qt::Key_Return); });
    EXPECT_EQ(record.comment, "QC 2026");
    EXPECT_EQ(record.conditions.measuredOn, "2026-12-07");
    EXPECT_EQ(record.conditions.calibrationDate, "2025年春");
    EXPECT_EQ(record.conditions.collimationMm, 200.0);
    EXPECT_EQ(record.conditions.scanner, "CT 2");
    EXPECT_EQ(record.conditions.tubeVoltageKv, 120.0);
    EXPECT_EQ(record.conditions.calibrationFactor, 0.1 + 0.2);  // bit for bit
    EXPECT_EQ(record.calibrationUncertaintyPercent, std::nullopt);
}

TEST_F(ConditionsDialogTest, names_a_refused_field_gives_it_the_focus_and_writes_nothing) {
    const std::tuple<const char*, const char*, std::string> cases[] = {
        {"tubeVoltageEdit", "12abc", Message(Reason::ConditionNotANumber, {"管電圧 (kV)"})},
        {"tubeVoltageEdit", "1 20", Message(Reason::ConditionNotANumber, {"管電圧 (kV)"})},
        {"collimationEdit", "1e999", Message(Reason::ConditionNumberOutOfRange, {"コリメーション (mm)"})},
        {"calibrationUncertaintyEdit", "-0.5",
         Message(Reason::ConditionNegativeUncertainty, {"校正の不確かさ (%)"})},
        {"measuredOnEdit", "2026-13-01", Message(Reason::ConditionBadDate, {"測定日 (YYYY-MM-DD)"})},
        {"calibrationDateEdit", "令和元年4月1日", Message(Reason::ConditionBadDate, {"校正日"})},
        // Implausible physical values, each refusal naming the field and its range.
        {"collimationEdit", "-40",
         Message(Reason::ConditionOutsideRangeAbove, {"コリメーション (mm)", "0", "200"})},
        {"rotationTimeEdit", "1e308",
         Message(Reason::ConditionOutsideRangeAbove, {"回転時間 (s)", "0", "10"})},
        {"tubeVoltageEdit", "39.9", Message(Reason::ConditionOutsideRange, {"管電圧 (kV)", "40", "150"})},
        {"currentTimeProductEdit", "0",
         Message(Reason::ConditionOutsideRangeAbove, {"管電流時間積 (mAs)", "0", "10000"})},
    };
    for (const auto& [name, text, expected] : cases) {
        ConditionsDialog dialog(record);
        dialog.show();
        Type(dialog, "scannerEdit", QStringLiteral("CT 2"));  // accepted, yet not written
        QLineEdit* field = Type(dialog, name, QString::fromUtf8(text));
        const auto box = messages.ExpectOne([&] { QTest::mouseClick(dialog.okButton, Qt::LeftButton); });
        ASSERT_TRUE(box) << name;
        EXPECT_EQ(box->text.toStdString(), expected);
        EXPECT_TRUE(dialog.isVisible()) << name;
        EXPECT_EQ(dialog.focusWidget(), field) << name;
        EXPECT_EQ(record.conditions, MeasurementConditions()) << name;
    }
}

}  // namespace
}  // namespace tessaroven
