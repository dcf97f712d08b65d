#include "bench/BenchSupport.h"

#include <SQLiteCpp/Database.h>

#include <QFile>
#include <QTemporaryDir>

namespace pw::bench {

QString programFolder() {
    static QTemporaryDir dir;
    static const bool made = [] {
        const QString food = dir.filePath(QStringLiteral("Custom.mdb"));
        const QString meals = dir.filePath(QStringLiteral("MealDataB.mdb"));
        QFile::copy(QStringLiteral(PW_FOOD_TEMPLATE), food);
        QFile::copy(QStringLiteral(PW_MEAL_TEMPLATE), meals);
        for (const QString& f : {food, meals})
            QFile::setPermissions(f, QFile::ReadOwner | QFile::WriteOwner);
        SQLite::Database db(meals.toStdString(), SQLite::OPEN_READWRITE);
        db.exec(
            "INSERT INTO MealNumbers (MealNumber, MealName, MealDate) "
            "VALUES (1, 'Breakfast', '2026-12-06')");
        db.exec(
            "INSERT INTO Meals (MealNumber, MealName, Date) VALUES (1, 'Breakfast', "
            "'2026-12-06')");
        return true;
    }();
    (void)made;
    return dir.path();
}

}  // namespace pw::bench
