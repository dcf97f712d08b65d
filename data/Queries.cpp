#include "data/Queries.h"

#include "data/Fields.h"

namespace pw {

QString foodListQuery() { return QStringLiteral("Select ALL * From CSR14 Order by description"); }

QString listedFoodsQuery() {
    return QStringLiteral("Select All * from CSR14 where Code > ") +
           QString::number(kListedFoodCode) + QStringLiteral(" order by description");
}

QString addedFoodsQuery() {
    return QStringLiteral("Select All * from CSR14 where Code > 6010 order by description");
}

QString allMealItemsQuery() { return QStringLiteral("Select * From Meals Order by MealNumber"); }

QString mealItemsQuery(const QString& mealNumber) {
    return QStringLiteral("Select ALL * from Meals Where MealNumber = ") + mealNumber;
}

QString newMealItemsQuery(const QString& mealNumber) {
    return QStringLiteral("Select * from Meals Where MealNumber = ") + mealNumber;
}

QString mealHeadersQuery() {
    return QStringLiteral("Select * from MealNumbers Order by MealNumber");
}

QString mealHeaderQuery(const QString& mealNumber) {
    return QStringLiteral("Select * from Mealnumbers Where MealNumber = ") + mealNumber;
}

}  // namespace pw
