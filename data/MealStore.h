#pragma once

#include <QString>
#include <functional>

namespace pw {

class RecordCursor;

// The highest meal number: meal numbers are 16-bit.
inline constexpr int kHighestMealNumber = 32767;

// A meal's header as it is typed or stored: its number, name and date (month/day/year).
struct MealHeader {
    QString number;
    QString name;
    QString date;
};

// Every change to the meal file goes through here. Each change is one transaction, stored whole
// or not at all; when it fails, every cursor it wrote through stands where it stood (a pending
// row is dropped) and the RuntimeError reaches the caller, which reports it. The counts handed
// back are the program's 16-bit counters: beyond 32,767 they raise error 6 (Overflow), after the
// change itself is stored.
class MealStore {
public:
    // `items` is the main window's item cursor over Meals; the store writes to its file.
    explicit MealStore(RecordCursor& items);

    // A new meal: the header cursor's new row and the meal's first, still empty, item row holding
    // its number, name and date. `saveItem` stores the item cursor's pending row (the main
    // window's save). An empty text leaves its field without a value, so the store refuses it as
    // missing (3314) as it refuses a text that does not fit (3426).
    void addMeal(RecordCursor& headers, const MealHeader& meal,
                 const std::function<void()>& saveItem);

    // Stores the item cursor's pending row (a new item or a changed one) after `fill` has written
    // its fields. Returns the item count.
    qint16 saveItem(const std::function<void()>& fill);

    // Removes the current item; returns the item count left.
    qint16 removeItem();

    // Removes the current item, the meal's last, with the meal's header row, on which `headers`
    // stands.
    void removeMeal(RecordCursor& headers);

    // The number a new meal takes: one above the highest stored, 1 with none; beyond 32,767 the
    // program's Overflow (6).
    int nextMealNumber() const;

    // A new meal numbered as a new meal is, with `header`'s name and date, holding a copy of every
    // item of meal `fromNumber`: every stored text as it is, the number, name and date the new
    // meal's. Returns the new meal's number. The item cursor is not moved.
    int copyMeal(const QString& fromNumber, const MealHeader& header);

private:
    RecordCursor& m_items;
};

}  // namespace pw
