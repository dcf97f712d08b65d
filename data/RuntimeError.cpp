#include "data/RuntimeError.h"

#include <algorithm>
#include <array>

namespace pw {

namespace {

QString effectiveDescription(int number, const QString& description) {
    return description.isEmpty() ? errorDescription(number) : description;
}

struct CatalogueEntry {
    int number;
    const char* description;
};

// The standard texts, in ascending order of number. Texts that name a file, table or field
// where the engine would insert the name are written here without it; a caller that knows the
// name passes its own description.
constexpr std::array catalogue{
    CatalogueEntry{3, "Return without GoSub"},
    CatalogueEntry{5, "Invalid procedure call or argument"},
    CatalogueEntry{6, "Overflow"},
    CatalogueEntry{7, "Out of memory"},
    CatalogueEntry{9, "Subscript out of range"},
    CatalogueEntry{10, "This array is fixed or temporarily locked"},
    CatalogueEntry{11, "Division by zero"},
    CatalogueEntry{13, "Type mismatch"},
    CatalogueEntry{14, "Out of string space"},
    CatalogueEntry{16, "Expression too complex"},
    CatalogueEntry{17, "Can't perform requested operation"},
    CatalogueEntry{18, "User interrupt occurred"},
    CatalogueEntry{20, "Resume without error"},
    CatalogueEntry{28, "Out of stack space"},
    CatalogueEntry{35, "Sub or Function not defined"},
    CatalogueEntry{48, "Error in loading DLL"},
    CatalogueEntry{49, "Bad DLL calling convention"},
    CatalogueEntry{51, "Internal error"},
    CatalogueEntry{52, "Bad file name or number"},
    CatalogueEntry{53, "File not found"},
    CatalogueEntry{54, "Bad file mode"},
    CatalogueEntry{55, "File already open"},
    CatalogueEntry{57, "Device I/O error"},
    CatalogueEntry{58, "File already exists"},
    CatalogueEntry{59, "Bad record length"},
    CatalogueEntry{61, "Disk full"},
    CatalogueEntry{62, "Input past end of file"},
    CatalogueEntry{63, "Bad record number"},
    CatalogueEntry{67, "Too many files"},
    CatalogueEntry{68, "Device unavailable"},
    CatalogueEntry{70, "Permission denied"},
    CatalogueEntry{71, "Disk not ready"},
    CatalogueEntry{74, "Can't rename with different drive"},
    CatalogueEntry{75, "Path/File access error"},
    CatalogueEntry{76, "Path not found"},
    CatalogueEntry{91, "Object variable or With block variable not set"},
    CatalogueEntry{92, "For loop not initialized"},
    CatalogueEntry{93, "Invalid pattern string"},
    CatalogueEntry{94, "Invalid use of Null"},
    CatalogueEntry{321, "Invalid file format"},
    CatalogueEntry{322, "Can't create necessary temporary file"},
    CatalogueEntry{380, "Invalid property value"},
    CatalogueEntry{381, "Invalid property array index"},
    CatalogueEntry{424, "Object required"},
    CatalogueEntry{438, "Object doesn't support this property or method"},
    CatalogueEntry{449, "Argument not optional"},
    CatalogueEntry{482, "Printer error"},
    CatalogueEntry{3001, "Invalid argument."},
    CatalogueEntry{3020, "Update or CancelUpdate without AddNew or Edit."},
    CatalogueEntry{3021, "No current record."},
    CatalogueEntry{3022,
                   "The changes you requested to the table were not successful because they "
                   "would create duplicate values in the index, primary key, or relationship.  "
                   "Change the data in the field or fields that contain duplicate data, remove "
                   "the index, or redefine the index to permit duplicate entries and try again."},
    CatalogueEntry{3024, "Couldn't find file."},
    CatalogueEntry{3027, "Can't update.  Database or object is read-only."},
    CatalogueEntry{3035, "System resource exceeded."},
    CatalogueEntry{3044,
                   "Not a valid path.  Make sure that the path name is spelled correctly and "
                   "that you are connected to the server on which the file resides."},
    CatalogueEntry{3045, "Couldn't use the file; file already in use."},
    CatalogueEntry{3051, "Couldn't open the file."},
    CatalogueEntry{3061, "Too few parameters."},
    CatalogueEntry{3075, "Syntax error (missing operator) in query expression."},
    CatalogueEntry{3078,
                   "The database engine cannot find the input table or query.  Make sure it "
                   "exists and that its name is spelled correctly."},
    CatalogueEntry{3131, "Syntax error in FROM clause."},
    CatalogueEntry{3163,
                   "The field is too small to accept the amount of data you attempted to add.  "
                   "Try inserting or pasting less data."},
    CatalogueEntry{3164, "Field can't be updated."},
    CatalogueEntry{3167, "Record is deleted."},
    CatalogueEntry{3265, "Item not found in this collection."},
    CatalogueEntry{3314,
                   "The field cannot contain a Null value because the Required property for "
                   "this field is set to True.  Enter a value in this field."},
    CatalogueEntry{3315, "Field can't be a zero-length string."},
    CatalogueEntry{3343, "Unrecognized database format."},
    CatalogueEntry{3426, "This action was cancelled by an associated object."},
    CatalogueEntry{3464, "Data type mismatch in criteria expression."},
    CatalogueEntry{32755, "Cancel was selected."},
};

static_assert(std::is_sorted(catalogue.begin(), catalogue.end(),
                             [](const CatalogueEntry& a, const CatalogueEntry& b) {
                                 return a.number < b.number;
                             }),
              "the catalogue is searched by halving: keep it in ascending order");

}  // namespace

RuntimeError::RuntimeError(int number, const QString& description)
    : std::runtime_error(effectiveDescription(number, description).toStdString()),
      m_number(number),
      m_description(effectiveDescription(number, description)) {}

QString errorDescription(int number) {
    const auto it = std::lower_bound(
        catalogue.begin(), catalogue.end(), number,
        [](const CatalogueEntry& entry, int wanted) { return entry.number < wanted; });
    if (it == catalogue.end() || it->number != number)
        return QStringLiteral("Application-defined or object-defined error");
    return QString::fromLatin1(it->description);
}

}  // namespace pw
