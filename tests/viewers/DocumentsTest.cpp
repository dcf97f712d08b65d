#include <gtest/gtest.h>

#include <QFile>
#include <map>

#include "platform/RtfReader.h"

namespace pw {
namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// The shipped documents: RTF the reader takes, with bold headings, copied into the program
// folder by the build.
TEST(Documents, AreRtfWithHeadingsAndReachTheProgramFolder) {
    for (const char* name : {"Help.rtf", "DV.rtf"}) {
        const QByteArray source = bytesOf(QStringLiteral(PW_SOURCE_DIR "/resources/") + name);
        EXPECT_TRUE(isRtf(source)) << name;
        EXPECT_EQ(bytesOf(QStringLiteral(PW_PROGRAM_DIR "/") + name), source) << name;
        const RtfDocument doc = parseRtf(source);
        int boldHeadings = 0;
        for (const RtfParagraph& p : doc.paragraphs) {
            if (!p.runs.empty() && p.runs.front().format.bold &&
                p.runs.front().format.pointSize > 12)
                ++boldHeadings;
        }
        EXPECT_GE(boldHeadings, 4) << name;
    }
}

TEST(Documents, InstructionsNameEveryCommand) {
    const QString text = parseRtf(bytesOf(PW_SOURCE_DIR "/resources/Help.rtf")).plainText();
    for (const char* command :
         {"Add a new meal", "Select an existing meal", "Add an item to the meal",
          "Remove an item from the meal", "Adjust portion size",
          "1 Report for a specific meal number", "2 Report for a range of meal numbers",
          "3 Report for a specific date", "4 Report for a range of dates", "Save Report",
          "Print Report", "Open a Report", "Customize", "Add New Record", "Delete Record",
          "Instructions", "Backround Information", "About Korvane Platewise", "Exit"}) {
        EXPECT_TRUE(text.contains(QLatin1String(command))) << command;
    }
}

// The table of the background document states the Daily Values the reports divide by.
TEST(Documents, BackgroundListsTheTwentySevenDailyValues) {
    const RtfDocument doc = parseRtf(bytesOf(PW_SOURCE_DIR "/resources/DV.rtf"));
    std::map<QString, QString> table;
    for (const RtfParagraph& p : doc.paragraphs) {
        const QStringList cells = p.text().split(QChar('\t'));
        if (cells.size() == 2 && !p.tabStops.empty()) table[cells[0]] = cells[1];
    }
    const std::map<QString, QString> expected = {{"Nutrient", "Daily Value"},
                                                 {"Calories", "2000 calories"},
                                                 {"Protein", "50 grams"},
                                                 {"Total fat", "65 grams"},
                                                 {"Saturated fat", "20 grams"},
                                                 {"Cholesterol", "300 milligrams"},
                                                 {"Carbohydrate", "300 grams"},
                                                 {"Fiber", "25 grams"},
                                                 {"Sodium", "2400 milligrams"},
                                                 {"Potassium", "3500 milligrams"},
                                                 {"Calcium", "1000 milligrams"},
                                                 {"Phosphorus", "1000 milligrams"},
                                                 {"Iron", "18 milligrams"},
                                                 {"Magnesium", "400 milligrams"},
                                                 {"Zinc", "15 milligrams"},
                                                 {"Copper", "2 milligrams"},
                                                 {"Manganese", "2 milligrams"},
                                                 {"Selenium", "70 micrograms"},
                                                 {"Vitamin A", "5000 international units (IU)"},
                                                 {"Thiamin", "1.5 milligrams"},
                                                 {"Riboflavin", "1.7 milligrams"},
                                                 {"Niacin", "20 milligrams"},
                                                 {"Pantothenic acid", "10 milligrams"},
                                                 {"Vitamin B6", "2 milligrams"},
                                                 {"Folic acid", "400 micrograms"},
                                                 {"Vitamin B12", "6 micrograms"},
                                                 {"Vitamin C", "60 milligrams"},
                                                 {"Vitamin E", "30 milligrams"}};
    EXPECT_EQ(table, expected);
    EXPECT_TRUE(doc.plainText().contains(
        "If your calorie needs are higher or lower the daily values for carbohydrates"));
}

}  // namespace
}  // namespace pw
