#pragma once

#include <QString>
#include <stdexcept>

namespace pw {

// A run-time error as the program's procedures raise and trap it: a number and its standard
// description. Procedures that trap errors catch this type; everything else lets it travel up to
// the event guard of the window, which reports it without ending the program.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(int number, const QString& description = QString());
    int number() const { return m_number; }
    const QString& description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

// The standard description of a run-time error number ("Division by zero" for 11).
// Unknown numbers give "Application-defined or object-defined error".
QString errorDescription(int number);

// Well-known numbers.
namespace err {
inline constexpr int ReturnWithoutGoSub = 3;
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int FileNotFound = 53;
inline constexpr int InputPastEnd = 62;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
inline constexpr int ObjectRequired = 424;
inline constexpr int NoCurrentRecord = 3021;
inline constexpr int FileLocked = 3045;     // could not use the file: already in use
inline constexpr int NotADatabase = 3343;   // unrecognized database format
inline constexpr int CantOpenFile = 3044;   // not a valid path / cannot open
inline constexpr int TableNotFound = 3078;  // cannot find the input table or query
inline constexpr int SyntaxError = 3075;    // syntax error in query expression
inline constexpr int SqlSyntax = 3131;      // syntax error in FROM clause / unsupported statement
inline constexpr int UnknownField = 3265;   // item not found in this collection
inline constexpr int UpdateWithoutEdit = 3020;
inline constexpr int RequiredNull = 3314;
inline constexpr int ZeroLength = 3315;
inline constexpr int DuplicateKey = 3022;
inline constexpr int DiskFull = 3035;  // system resource exceeded
inline constexpr int ReadOnly = 3027;  // database or object is read-only
inline constexpr int UpdateCancelled = 3426;
inline constexpr int DialogCancelled = 32755;
}  // namespace err

}  // namespace pw
