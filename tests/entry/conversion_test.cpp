// Main window: the conversion button, its result list, its refusals and its yields.
#include <gtest/gtest.h>

#include <QLocale>
#include <QTimer>

#include "main_window_fixture.h"
#include "messages/outcome.h"

namespace tessaroven::testing {
namespace {

using ConversionTest = MainWindowTest;

const QStringList kWorkedExampleLines = {"0 : 100.000  100.0", "1 : 93.601  93.6", "2 : 79.008  79.0",
                                         "3 : 57.105  57.1", "4 : 27.858  27.9"};

TEST_F(ConversionTest, worked_example_end_to_end_from_the_keyboard) {
    // State: fresh window, distance 60. Action: the whole measurement with Enter only.
    EnterWorkedExample();
    ASSERT_EQ(Focus(), form.finishEntryButton);
    PressEnter();
    ASSERT_TRUE(form.convertButton->isEnabled());
    ASSERT_EQ(Focus(), form.convertButton);
    messages.ExpectNone([&] { PressEnter(); });

    // Expected: the worked example's listed lines and values; save and graph enabled.
    EXPECT_EQ(Lines(form.resultList), kWorkedExampleLines);
    const double profile[] = {99.999936, 93.600683, 79.008466, 57.105193, 27.858070};
    const double percent[] = {100, 93.600744, 79.008517, 57.105230, 27.858088};
    for (int k = 0; k < 5; ++k) {
        EXPECT_NEAR(record.profile[k], profile[k], 5e-7) << k;
        EXPECT_NEAR(record.relativePercent[k], percent[k], 5e-7) << k;
        EXPECT_EQ(QString::fromStdString(record.resultLines[k]), kWorkedExampleLines[k]);
    }
    EXPECT_EQ(record.relativePercent[0], 100);
    EXPECT_TRUE(form.saveButton->isEnabled());
    EXPECT_TRUE(form.graphButton->isEnabled());
    EXPECT_TRUE(form.convertButton->isEnabled());
    // The entered readings are kept beside the profile.
    EXPECT_EQ(form.readingList->item(1)->text(), " (2)  1  :  95");
    EXPECT_EQ(record.reading[1], 95);
}

TEST_F(ConversionTest, a_second_click_gives_the_same_results) {
    EnterWorkedExample();
    Click(form.finishEntryButton);
    Click(form.convertButton);
    Click(form.convertButton);
    EXPECT_EQ(Lines(form.resultList), kWorkedExampleLines);
}

TEST_F(ConversionTest, one_position_lists_one_line_and_enables_save_and_graph) {
    SetUpMeasurement("1");
    EnterReading("5");
    Click(form.finishEntryButton);
    form.resultList->addItem("old");
    messages.ExpectNone([&] { Click(form.convertButton); });
    EXPECT_EQ(Lines(form.resultList), QStringList({"0 : 5.000  100.0"}));
    EXPECT_TRUE(form.saveButton->isEnabled());
    EXPECT_TRUE(form.graphButton->isEnabled());
}

TEST_F(ConversionTest, a_correction_after_a_conversion_converts_the_corrected_readings) {
    EnterWorkedExample();
    Click(form.finishEntryButton);
    Click(form.convertButton);
    Correct("2", "96");
    EXPECT_EQ(form.readingList->item(1)->text(), " (2)  1  :  96");
    EXPECT_EQ(form.resultList->count(), 0);
    EXPECT_FALSE(form.saveButton->isEnabled() || form.graphButton->isEnabled());
    Click(form.convertButton);
    // The same lines as a fresh conversion of 100, 96, 85, 70, 50.
    EXPECT_EQ(Lines(form.resultList),
              QStringList({"0 : 100.000  100.0", "1 : 94.873  94.9", "2 : 78.301  78.3", "3 : 57.270  57.3",
                           "4 : 27.790  27.8"}));
}

struct ConversionRefusalCase {
    const char* distance;
    const char* points;
    const char* centreReading;
    Reason reason;
};

class ConversionRefusedTest : public MainWindowTest,
                              public ::testing::WithParamInterface<ConversionRefusalCase> {};

TEST_P(ConversionRefusedTest, shows_the_reason_keeps_the_readings_and_clears_the_results) {
    SetUpMeasurement(GetParam().points);
    EnterReading(GetParam().centreReading);
    while (Focus() == form.readingEdit) {
        EnterReading("50");
    }
    Click(form.finishEntryButton);
    Replace(form.distanceEdit, GetParam().distance);
    const MeasurementRecord before = record;
    form.resultList->addItem("kept");

    const auto box = messages.ExpectOne([&] { Click(form.convertButton); });
    ASSERT_TRUE(box);
    EXPECT_TRUE(IsMessageOf(GetParam().reason, box->text.toStdString())) << box->text.toStdString();
    EXPECT_EQ(box->icon, QMessageBox::NoIcon);
    EXPECT_EQ(box->title, "Tessaroven");
    EXPECT_EQ(record.reading, before.reading);
    EXPECT_EQ(record.relativePercent, before.relativePercent);
    EXPECT_EQ(record.grid, before.grid);
    EXPECT_EQ(record.resultLines, before.resultLines);
    EXPECT_EQ(form.resultList->count(), 0);
    EXPECT_FALSE(form.saveButton->isEnabled());
    EXPECT_FALSE(form.graphButton->isEnabled());
    EXPECT_FALSE(handlers.conversionRunning());
}

INSTANTIATE_TEST_SUITE_P(Conversion, ConversionRefusedTest,
                         ::testing::Values(ConversionRefusalCase{"0", "5", "100", Reason::DistanceNotANumber},
                                           ConversionRefusalCase{"abc", "5", "100", Reason::NumberBoxInvalid},
                                           ConversionRefusalCase{"3", "5", "100", Reason::DistanceTooShort},
                                           ConversionRefusalCase{"-60", "5", "100", Reason::DistanceTooShort},
                                           ConversionRefusalCase{"60", "3", "0", Reason::ZeroCentreValue},
                                           ConversionRefusalCase{"1e999", "5", "100",
                                                                 Reason::NumberOutOfRange}));

TEST_F(ConversionTest, a_click_arriving_during_a_yield_does_not_start_a_nested_conversion) {
    EnterWorkedExample();
    Click(form.finishEntryButton);
    bool ranDuringYield = false;
    // Fires inside the first yield of the conversion, as a click delivered there would.
    QTimer::singleShot(0, &form, [&] {
        ranDuringYield = handlers.conversionRunning();
        form.convertButton->click();
    });
    Click(form.convertButton);
    EXPECT_TRUE(ranDuringYield);
    EXPECT_FALSE(handlers.conversionRunning());
    // One conversion, not two: the listed values are those of the first run.
    EXPECT_EQ(Lines(form.resultList), kWorkedExampleLines);
}

class CommaLocaleTest : public MainWindowTest {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        QLocale::setDefault(QLocale::c());
        MainWindowTest::TearDown();
    }
};

TEST_F(CommaLocaleTest, texts_use_the_locale_separator_while_typing_keeps_the_point) {
    SetUpMeasurement("5");
    Replace(form.pointNumberEdit, "2.5");
    PressEnter();
    EXPECT_EQ(form.offCentreEdit->text(), "1,5");
    TypeInto(form.readingEdit, "95.5");
    Click(form.storeReadingButton);
    // "1,5" in offCentreEdit reads as 1.5, in slot 1.
    EXPECT_EQ(record.readingLines[2], " (2,5)  1  :  95,5");
    EXPECT_EQ(form.pointNumberEdit->text(), "3,5");
}

TEST_F(CommaLocaleTest, result_lines_use_the_locale_separator) {
    EnterWorkedExample();
    Click(form.finishEntryButton);
    Click(form.convertButton);
    ASSERT_EQ(form.resultList->count(), 5);
    EXPECT_EQ(form.resultList->item(0)->text(), "0 : 100,000  100,0");
    EXPECT_EQ(form.resultList->item(3)->text(), "3 : 57,105  57,1");
}

}  // namespace
}  // namespace tessaroven::testing
