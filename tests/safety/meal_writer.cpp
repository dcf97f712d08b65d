// Records meals into a meal store until it is killed, as the meal dialog and the picking
// screen do: a MealNumbers row and its header row in Meals in one savepoint, then two item
// rows. Each meal number is printed the moment its savepoint is committed.
//
//     meal_writer <MealDataB.mdb>
#include <SQLiteCpp/Database.h>

#include <QString>
#include <cstdio>

#include "data/Database.h"
#include "data/RecordCursor.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    try {
        pw::RecordCursor numbers;
        pw::RecordCursor meals;
        for (auto [cursor, table] : {std::pair{&numbers, "MealNumbers"}, {&meals, "Meals"}}) {
            cursor->setDatabaseName(path);
            cursor->setRecordSource(QString::fromLatin1(table));
            cursor->refresh();
        }
        int next = pw::connection(path)
                       ->execAndGet("SELECT ifnull(max(MealNumber), 0) + 1 FROM MealNumbers")
                       .getInt();
        for (;; ++next) {
            const QString number = QString::number(next);
            const QString name = QStringLiteral("Meal ") + number;
            {
                pw::Savepoint together(path);
                numbers.addNew();
                numbers.setText(QStringLiteral("MealNumber"), number);
                numbers.setText(QStringLiteral("MealName"), name);
                numbers.setText(QStringLiteral("MealDate"), QStringLiteral("03/04/2002"));
                numbers.update();
                meals.addNew();
                meals.setText(QStringLiteral("MealNumber"), number);
                meals.setText(QStringLiteral("MealName"), name);
                meals.setText(QStringLiteral("Date"), QStringLiteral("03/04/2002"));
                meals.update();
                together.commit();
            }
            std::printf("%d\n", next);
            std::fflush(stdout);
            for (const char* food : {"Apple, raw", "Milk, whole"}) {
                meals.addNew();
                meals.setText(QStringLiteral("description"), QString::fromLatin1(food));
                meals.setText(QStringLiteral("MealNumber"), number);
                meals.setText(QStringLiteral("ENERG_KCAL"), QStringLiteral("52.5"));
                meals.update();
            }
        }
    } catch (const pw::RuntimeError& e) {
        std::fprintf(stderr, "%d %s\n", e.number(), qPrintable(e.description()));
        return 1;
    }
}
