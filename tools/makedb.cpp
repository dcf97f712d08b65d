// Builds the template database files that the build copies into the program's folder: the
// reference food table from the unpacked USDA SR24 XML, and the empty meal tables.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <exception>

#include "tools/FoodConverter.h"

namespace {

void say(FILE* stream, const QString& text) { std::fputs(qPrintable(text + '\n'), stream); }

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Builds the reference food file and the empty meal file."));
    parser.addHelpOption();
    const QCommandLineOption sr24(QStringLiteral("sr24"),
                                  QStringLiteral("Folder of the unpacked USDA SR24 XML."),
                                  QStringLiteral("dir"));
    const QCommandLineOption food(QStringLiteral("food"),
                                  QStringLiteral("The food file to create (Custom.mdb)."),
                                  QStringLiteral("file"));
    const QCommandLineOption meals(QStringLiteral("meals"),
                                   QStringLiteral("The meal file to create (MealDataB.mdb)."),
                                   QStringLiteral("file"));
    parser.addOptions({sr24, food, meals});
    parser.process(app);
    if (!parser.isSet(sr24) || !parser.isSet(food) || !parser.isSet(meals)) {
        say(stderr, QStringLiteral("platewise-makedb: --sr24, --food and --meals are all needed."));
        return 2;
    }
    const QString foodPath = parser.value(food);
    const QString mealPath = parser.value(meals);

    try {
        // Refuse before the long conversion rather than after it.
        for (const QString& path : {foodPath, mealPath})
            if (QFileInfo::exists(path))
                throw pw::ConversionError(
                    QStringLiteral("%1 already exists; it is left as it is.").arg(path));

        pw::FoodConverter converter;
        std::vector<pw::FoodRecord> foods = converter.readFolder(parser.value(sr24));
        const size_t referenceCount = foods.size();
        for (pw::FoodRecord& sample : pw::sampleFoods()) foods.push_back(std::move(sample));
        pw::makeDescriptionsUnique(foods);
        for (const QString& left : converter.skipped())
            say(stdout, QStringLiteral("Left out (no nutrient values): %1").arg(left));

        pw::buildDatabaseFile(foodPath, [&](SQLite::Database& db) { pw::writeFoods(db, foods); });
        try {
            pw::buildDatabaseFile(mealPath, pw::writeMealTables);
        } catch (...) {
            QFile::remove(foodPath);  // both files or neither
            throw;
        }
        say(stdout, QStringLiteral("Wrote %1 reference foods and %2 sample foods to %3, and %4.")
                        .arg(referenceCount)
                        .arg(foods.size() - referenceCount)
                        .arg(foodPath, mealPath));
    } catch (const std::exception& e) {
        say(stderr, QStringLiteral("platewise-makedb: %1").arg(QString::fromUtf8(e.what())));
        return 1;
    }
    return 0;
}
