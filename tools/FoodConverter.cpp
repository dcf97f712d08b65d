#include "tools/FoodConverter.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryFile>
#include <QXmlStreamReader>
#include <cmath>
#include <numeric>
#include <utility>

#include "data/Schema.h"

namespace pw {

namespace {

// USDA nutrient names in slot order, slot 1 first. Units in the source already match the table:
// kcal, grams, milligrams, micrograms for selenium, folate and B12, IU for vitamin A.
// clang-format off
const char* const kUsdaNames[kFoodValueCount] = {
    "Water", "Energy", "Protein", "Fat", "Carbs", "Fiber", "Ash", "Calcium", "Phosphorus", "Iron",
    "Sodium", "Potassium", "Magnesium", "Zinc", "Copper", "Manganese", "Selenium", "Vitamin A",
    "Vitamin E", "B1 (Thiamine)", "B2 (Riboflavin)", "B3 (Niacin)", "B5 (Pantothenic Acid)",
    "B6 (Pyridoxine)", "Folate", "B12 (Cyanocobalamin)", "Vitamin C", "Saturated",
    "Monounsaturated", "Polyunsaturated", "Cholesterol"};
// clang-format on

int slotOfUsdaName(const QString& name) {
    static const QHash<QString, int> bySlotName = [] {
        QHash<QString, int> h;
        for (int i = 0; i < kFoodValueCount; ++i)
            h.insert(QString::fromLatin1(kUsdaNames[i]), i + 1);
        return h;
    }();
    return bySlotName.value(name, 0);
}

// Measured amounts are rounded in the source (0.333, 0.67), so a fraction is taken when the
// amount lies this close to it; halves, quarters and eighths are exact anyway.
constexpr double kFractionTolerance = 0.004;
constexpr int kDenominators[] = {2, 3, 4, 6, 8};

QString decimalText(double value) {
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

QString amountText(double amount) {
    if (!(amount > 0) || !std::isfinite(amount)) return decimalText(amount);
    const double whole = std::floor(amount);
    const double part = amount - whole;
    int bestNum = 0;
    int bestDen = 0;
    double bestDiff = kFractionTolerance;
    for (int den : kDenominators) {
        for (int num = 1; num < den; ++num) {
            if (std::gcd(num, den) != 1) continue;
            const double diff = std::abs(part - double(num) / den);
            if (diff <= bestDiff) {
                if (bestDen != 0 && diff == bestDiff) continue;  // the smaller denominator wins
                bestNum = num;
                bestDen = den;
                bestDiff = diff;
            }
        }
    }
    if (bestDen == 0) return decimalText(amount);
    const QString fraction = QStringLiteral("%1/%2").arg(bestNum).arg(bestDen);
    return whole > 0 ? decimalText(whole) + ' ' + fraction : fraction;
}

std::optional<double> numberAttribute(const QXmlStreamAttributes& attrs, const char* name) {
    bool ok = false;
    const double v = attrs.value(QLatin1String(name)).toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

QString describe(const QString& ndbNo) { return QStringLiteral("food %1").arg(ndbNo); }

// The item code of a reference food: its USDA food group, the first two digits of its number
// times 100 ("01001" is in group 100, dairy). A handful of fish and shellfish were numbered
// outside their group; their two digits would put them among the user's foods (6500 and up),
// where they could be deleted, so they get their group here.
int foodGroupCode(const QString& ndbNo) {
    static const QHash<QString, int> outsideTheirGroup = {{QStringLiteral("80200"), 1500},
                                                          {QStringLiteral("83110"), 1500},
                                                          {QStringLiteral("90240"), 1500},
                                                          {QStringLiteral("90560"), 1500},
                                                          {QStringLiteral("93600"), 1500}};
    const int code = outsideTheirGroup.value(ndbNo, ndbNo.left(2).toInt() * 100);
    if (code >= kReferenceCodeLimit)
        throw ConversionError(QStringLiteral("%1 has no known food group below %2.")
                                  .arg(describe(ndbNo))
                                  .arg(kReferenceCodeLimit));
    return code;
}

std::optional<HouseholdUnit> readMeasure(const QXmlStreamAttributes& attrs) {
    const std::optional<double> amount = numberAttribute(attrs, "amount");
    const std::optional<double> grams = numberAttribute(attrs, "grams");
    // A unit without a positive amount or weight cannot size a portion.
    if (!amount || !grams || *amount <= 0 || *grams <= 0) return std::nullopt;
    return HouseholdUnit{unitText(*amount, attrs.value(QLatin1String("name")).toString()), *grams};
}

void bindText(SQLite::Statement& st, int index, const QString& text) {
    if (text.isEmpty())
        st.bind(index);
    else
        st.bind(index, text.toStdString());
}

void bindNumber(SQLite::Statement& st, int index, const std::optional<double>& value) {
    if (value)
        st.bind(index, *value);
    else
        st.bind(index);
}

// Slot numbers outside the values, as the table orders its fields.
enum : int {
    kSlotGrams1 = 32,
    kSlotDesc1,
    kSlotGrams2,
    kSlotDesc2,
    kSlotRefuse,
    kSlotNdb,
    kSlotCode,
    kSlotCount
};

void bindUnit(SQLite::Statement& st, int gramsSlot, int descSlot,
              const std::optional<HouseholdUnit>& unit) {
    bindNumber(st, gramsSlot + 1, unit ? std::optional<double>(unit->grams) : std::nullopt);
    bindText(st, descSlot + 1, unit ? unit->text : QString());
}

}  // namespace

ConversionError::ConversionError(const QString& message)
    : std::runtime_error(message.toStdString()) {}

QString usdaNutrientName(int slot) {
    if (slot < 1 || slot > kFoodValueCount) return QString();
    return QString::fromLatin1(kUsdaNames[slot - 1]);
}

QString unitText(double amount, const QString& name) {
    const QString folded = name.simplified();
    const QString number = amountText(amount);
    return folded.isEmpty() ? number : number + ' ' + folded;
}

QString cleanDescription(const QString& text) {
    QString s = text.simplified();
    while (s.endsWith('\\')) {
        s.chop(1);
        s = s.trimmed();
    }
    return s;
}

void makeDescriptionsUnique(std::vector<FoodRecord>& foods) {
    QHash<QString, std::vector<size_t>> groups;
    for (size_t i = 0; i < foods.size(); ++i)
        groups[foods[i].description.toCaseFolded()].push_back(i);
    for (const std::vector<size_t>& group : std::as_const(groups)) {
        if (group.size() < 2) continue;
        for (size_t i : group)  // a food without a number stays as it is and clashes below
            if (!foods[i].ndbNo.isEmpty())
                foods[i].description += QStringLiteral(" (USDA no. %1)").arg(foods[i].ndbNo);
    }
    QSet<QString> seen;
    for (const FoodRecord& f : foods) {
        const QString key = f.description.toCaseFolded();
        if (seen.contains(key))
            throw ConversionError(
                QStringLiteral("Two foods are both called \"%1\".").arg(f.description));
        seen.insert(key);
    }
}

std::vector<FoodRecord> sampleFoods() {
    // What a product label states for one serving, in the table's units.
    struct Label {
        const char* description;
        double servingGrams;
        std::vector<std::pair<int, double>> perServing;  // slot, amount in one serving
        std::vector<HouseholdUnit> units;
    };
    // clang-format off
    const std::vector<Label> labels = {
        {"Sample: Granola bar, oats and honey", 42,
         {{2, 190}, {3, 4}, {4, 7}, {5, 29}, {6, 2}, {10, 1.1}, {11, 160}, {12, 115}, {28, 1},
          {31, 0}},
         {{"1 bar", 21}, {"1 pouch (2 bars)", 42}}},
        {"Sample: Yogurt, low fat, strawberry", 170,
         {{2, 150}, {3, 6}, {4, 2}, {5, 27}, {6, 0}, {8, 200}, {11, 95}, {12, 280}, {28, 1.5},
          {31, 10}},
         {{"1 container", 170}, {"1 cup", 245}}},
        {"Sample: Peanut butter, creamy", 32,
         {{2, 190}, {3, 7}, {4, 16}, {5, 7}, {6, 2}, {10, 0.6}, {11, 140}, {12, 200}, {13, 50},
          {22, 4.2}, {28, 3}, {29, 8}, {30, 4}, {31, 0}},
         {{"1 tbsp", 16}, {"2 tbsp", 32}}},
        {"Sample: Tomato soup, condensed, prepared with water", 248,
         {{2, 90}, {3, 2}, {4, 0}, {5, 20}, {6, 1}, {11, 480}, {18, 400}, {27, 6}, {28, 0},
          {31, 0}},
         {{"1 cup", 248}}},
    };
    // clang-format on
    std::vector<FoodRecord> out;
    for (size_t i = 0; i < labels.size(); ++i) {
        const Label& l = labels[i];
        FoodRecord f;
        f.description = QString::fromUtf8(l.description);
        f.code = kFirstSampleCode + int(i);
        for (const auto& [slot, amount] : l.perServing) {
            // Calories are kept with one decimal, the other values with three, as everywhere
            // else in the table.
            const double scale = slot == 2 ? 10 : 1000;
            f.value(slot) = std::round(amount * 100 / l.servingGrams * scale) / scale;
        }
        if (!l.units.empty()) f.unit1 = l.units[0];
        if (l.units.size() > 1) f.unit2 = l.units[1];
        out.push_back(f);
    }
    return out;
}

std::optional<FoodRecord> FoodConverter::readFood(QIODevice& xml, const QString& ndbNo,
                                                  const QString& indexDescription) const {
    QXmlStreamReader reader(&xml);
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("food"))
        throw ConversionError(describe(ndbNo) + ": not a USDA food file.");

    FoodRecord food;
    food.ndbNo = ndbNo;
    food.code = foodGroupCode(ndbNo);
    food.description =
        cleanDescription(reader.attributes().value(QLatin1String("name")).toString());
    if (food.description.isEmpty()) food.description = cleanDescription(indexDescription);
    if (food.description.isEmpty()) throw ConversionError(describe(ndbNo) + " has no description.");

    std::vector<HouseholdUnit> units;
    bool anyValue = false;
    while (reader.readNextStartElement()) {
        const QXmlStreamAttributes attrs = reader.attributes();
        if (reader.name() == QLatin1String("nutrient")) {
            const int slot = slotOfUsdaName(attrs.value(QLatin1String("name")).toString());
            if (slot != 0 && !food.value(slot)) {
                const std::optional<double> amount = numberAttribute(attrs, "amount");
                if (!amount)
                    throw ConversionError(describe(ndbNo) + ": the amount of " +
                                          usdaNutrientName(slot) + " is not a number.");
                food.value(slot) = amount;
                anyValue = true;
            }
        } else if (reader.name() == QLatin1String("measure") && units.size() < 2) {
            // The two units are the first two measures that read differently.
            const std::optional<HouseholdUnit> unit = readMeasure(attrs);
            if (unit && (units.empty() || units.front().text != unit->text)) units.push_back(*unit);
        }
        reader.skipCurrentElement();
    }
    if (reader.hasError())
        throw ConversionError(QStringLiteral("%1: %2 (line %3)")
                                  .arg(describe(ndbNo), reader.errorString())
                                  .arg(reader.lineNumber()));
    if (!anyValue) return std::nullopt;
    if (!units.empty()) food.unit1 = units[0];
    if (units.size() > 1) food.unit2 = units[1];
    return food;
}

std::vector<FoodRecord> FoodConverter::readFolder(const QString& dir) {
    m_skipped.clear();
    const QDir folder(dir);
    QFile index(folder.filePath(QStringLiteral("foods.index")));
    if (!index.open(QIODevice::ReadOnly | QIODevice::Text))
        throw ConversionError(
            QStringLiteral("Cannot read %1: %2").arg(index.fileName(), index.errorString()));

    static const QRegularExpression ndbPattern(QStringLiteral("^\\d{5}$"));
    std::vector<FoodRecord> foods;
    QSet<QString> listed;
    int lineNo = 0;
    while (!index.atEnd()) {
        ++lineNo;
        const QString line = QString::fromUtf8(index.readLine()).trimmed();
        if (line.isEmpty()) continue;
        const qsizetype bar = line.indexOf('|');
        const QString ndbNo = line.left(bar).trimmed();
        const QString description = bar < 0 ? QString() : line.mid(bar + 1);
        if (bar < 0 || !ndbPattern.match(ndbNo).hasMatch())
            throw ConversionError(
                QStringLiteral("%1, line %2: expected \"NDB|description\", found \"%3\".")
                    .arg(index.fileName())
                    .arg(lineNo)
                    .arg(line));
        if (listed.contains(ndbNo))
            throw ConversionError(
                QStringLiteral("%1 is listed twice in %2.").arg(describe(ndbNo), index.fileName()));
        listed.insert(ndbNo);

        QFile xml(folder.filePath(ndbNo + QStringLiteral(".xml")));
        if (!xml.open(QIODevice::ReadOnly))
            throw ConversionError(
                QStringLiteral("Cannot read %1: %2").arg(xml.fileName(), xml.errorString()));
        if (std::optional<FoodRecord> food = readFood(xml, ndbNo, description))
            foods.push_back(std::move(*food));
        else
            m_skipped << ndbNo + ' ' + cleanDescription(description);
    }
    makeDescriptionsUnique(foods);
    return foods;
}

void writeFoods(SQLite::Database& db, const std::vector<FoodRecord>& foods) {
    SQLite::Transaction transaction(db);
    createFoodTables(db);
    const QStringList names = fieldNames(csr14Table());
    Q_ASSERT(names.size() == kSlotCount);
    const QString sql = QStringLiteral("INSERT INTO CSR14 (\"%1\") VALUES (%2)")
                            .arg(names.join(QStringLiteral("\", \"")),
                                 QStringList(names.size(), QStringLiteral("?")).join(", "));
    SQLite::Statement insert(db, sql.toStdString());
    for (const FoodRecord& f : foods) {
        bindText(insert, 1, f.description);
        for (int slot = 1; slot <= kFoodValueCount; ++slot)
            bindNumber(insert, slot + 1, f.value(slot));
        bindUnit(insert, kSlotGrams1, kSlotDesc1, f.unit1);
        bindUnit(insert, kSlotGrams2, kSlotDesc2, f.unit2);
        insert.bind(kSlotRefuse + 1);
        bindText(insert, kSlotNdb + 1, f.ndbNo);
        insert.bind(kSlotCode + 1, f.code);
        insert.exec();
        insert.reset();
    }
    transaction.commit();
}

void writeMealTables(SQLite::Database& db) {
    SQLite::Transaction transaction(db);
    createMealTables(db);
    transaction.commit();
}

void buildDatabaseFile(const QString& path, const std::function<void(SQLite::Database&)>& fill) {
    if (QFileInfo::exists(path))
        throw ConversionError(QStringLiteral("%1 already exists; it is left as it is.").arg(path));
    // An empty file is a valid new database; the temporary file removes itself unless renamed.
    QTemporaryFile temp(path + QStringLiteral(".XXXXXX"));
    if (!temp.open())
        throw ConversionError(
            QStringLiteral("Cannot create a file beside %1: %2").arg(path, temp.errorString()));
    temp.close();
    temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    const QString tempName = temp.fileName();
    try {
        SQLite::Database db(tempName.toStdString(), SQLite::OPEN_READWRITE);
        db.exec("PRAGMA journal_mode = DELETE");
        fill(db);
    } catch (...) {
        QFile::remove(tempName + QStringLiteral("-journal"));
        throw;
    }
    if (!temp.rename(path))
        throw ConversionError(QStringLiteral("Cannot create %1: %2").arg(path, temp.errorString()));
    temp.setAutoRemove(false);  // the file now carries the final name
}

}  // namespace pw
