#pragma once

class QString;

namespace pw {

class Platform;
class RecordCursor;

// Moves `foods` (a cursor over the food table) to the food whose description is `description`,
// as a food window does for the food chosen in its list. The description searched for, its
// apostrophes doubled, is kept in svSearchItem. A food that is not there is reported ("Item ...
// was not found.") and false returned; an empty description finds nothing and says nothing. A
// failure of the cursor is thrown and leaves it where it was.
bool findListedFood(Platform& platform, RecordCursor& foods, const QString& description);

}  // namespace pw
