#include "data/QueryDialect.h"

#include <vector>

#include "data/NumberText.h"
#include "data/RuntimeError.h"
#include "data/Schema.h"

namespace pw {

namespace {

enum class Tok { Word, Number, Date, Text, Star, Equal, Greater, End };

struct Token {
    Tok kind;
    QString text;  // a word, a number's digits, a date's inside, a text with '' undoubled
};

[[noreturn]] void fail(int number, const QString& detail) {
    throw RuntimeError(number, errorDescription(number) + QStringLiteral(" ") + detail);
}

bool isWordStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Splits the text into tokens; a character outside the dialect is a syntax error.
std::vector<Token> tokenize(const QString& s, int errorNumber) {
    std::vector<Token> out;
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (true) {
        while (i < n && s[i].isSpace()) ++i;
        if (i >= n) break;
        const QChar c = s[i];
        const auto startsNumber = [&](qsizetype k) {
            return k < n && (isDigit(s[k]) || (s[k] == u'.' && k + 1 < n && isDigit(s[k + 1])));
        };
        if (isWordStart(c)) {
            const qsizetype start = i;
            while (i < n && isWordChar(s[i])) ++i;
            out.push_back({Tok::Word, s.mid(start, i - start)});
        } else if (c == u'[') {  // a bracketed name: [GMWT-1]
            const qsizetype close = s.indexOf(u']', i + 1);
            if (close < 0 || close == i + 1) fail(errorNumber, QStringLiteral("(unclosed name)"));
            out.push_back({Tok::Word, s.mid(i + 1, close - i - 1)});
            i = close + 1;
        } else if (startsNumber(i) || ((c == u'-' || c == u'+') && startsNumber(i + 1))) {
            const qsizetype start = i;
            if (c == u'-' || c == u'+') ++i;
            while (i < n && (isDigit(s[i]) || s[i] == u'.')) ++i;
            if (i < n && (s[i] == u'e' || s[i] == u'E')) {
                ++i;
                if (i < n && (s[i] == u'-' || s[i] == u'+')) ++i;
                while (i < n && isDigit(s[i])) ++i;
            }
            out.push_back({Tok::Number, s.mid(start, i - start)});
        } else if (c == u'#') {
            const qsizetype close = s.indexOf(u'#', i + 1);
            if (close < 0) fail(errorNumber, QStringLiteral("(unclosed date)"));
            out.push_back({Tok::Date, s.mid(i + 1, close - i - 1)});
            i = close + 1;
        } else if (c == u'\'') {
            QString text;
            ++i;
            while (true) {
                if (i >= n) fail(errorNumber, QStringLiteral("(unclosed text)"));
                if (s[i] == u'\'') {
                    if (i + 1 < n && s[i + 1] == u'\'') {
                        text += u'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += s[i++];
            }
            out.push_back({Tok::Text, text});
        } else if (c == u'*') {
            out.push_back({Tok::Star, QString(c)});
            ++i;
        } else if (c == u'=') {
            out.push_back({Tok::Equal, QString(c)});
            ++i;
        } else if (c == u'>') {
            out.push_back({Tok::Greater, QString(c)});
            ++i;
        } else {
            fail(errorNumber, QStringLiteral("(unexpected '%1')").arg(c));
        }
    }
    out.push_back({Tok::End, QString()});
    return out;
}

// A number kept as text compares by its leading number, as every reader takes it.
QString numberOf(const QString& column) { return QStringLiteral("CAST(%1 AS REAL)").arg(column); }

class Parser {
public:
    Parser(const QString& text, int errorNumber)
        : m_tokens(tokenize(text, errorNumber)), m_error(errorNumber) {}

    bool atEnd() const { return peek().kind == Tok::End; }
    const Token& peek(std::size_t ahead = 0) const {
        return m_tokens[std::min(m_pos + ahead, m_tokens.size() - 1)];
    }
    bool peekWord(const char* word, std::size_t ahead = 0) const {
        const Token& t = peek(ahead);
        return t.kind == Tok::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool acceptWord(const char* word) {
        if (!peekWord(word)) return false;
        ++m_pos;
        return true;
    }
    void expectWord(const char* word) {
        if (!acceptWord(word)) fail(m_error, QStringLiteral("(%1 expected)").arg(word));
    }
    const Token& expect(Tok kind, const char* what) {
        if (peek().kind != kind) fail(m_error, QStringLiteral("(%1 expected)").arg(what));
        return m_tokens[m_pos++];
    }
    void expectEnd() {
        if (!atEnd()) fail(m_error, QStringLiteral("(unexpected '%1')").arg(peek().text));
    }
    void setError(int number) { m_error = number; }

    // field (= | >) literal | field BETWEEN literal AND literal
    SqlCondition condition(const TableInfo& table) {
        const FieldInfo& field = fieldOf(table, expect(Tok::Word, "a field name").text);
        QString column = quotedName(field.name);
        if (field.kind == FieldKind::Text) column += QStringLiteral(" COLLATE NOCASE");
        if (field.kind == FieldKind::NumberText) column = numberOf(column);
        SqlCondition c;
        if (acceptWord("BETWEEN")) {
            c.values << literal(field);
            expectWord("AND");
            c.values << literal(field);
            c.where = column + QStringLiteral(" BETWEEN ? AND ?");
        } else if (peek().kind == Tok::Equal || peek().kind == Tok::Greater) {
            const QString op = m_tokens[m_pos++].text;
            c.values << literal(field);
            c.where = column + QStringLiteral(" %1 ?").arg(op);
        } else {
            fail(m_error, QStringLiteral("(=, > or BETWEEN expected)"));
        }
        return c;
    }

    const FieldInfo& fieldOf(const TableInfo& table, const QString& name) {
        const FieldInfo* f = table.field(name);
        if (!f) {
            throw RuntimeError(
                err::UnknownField,
                QStringLiteral("The table %1 has no field '%2'.").arg(table.name, name));
        }
        return *f;
    }

private:
    QVariant literal(const FieldInfo& field) {
        const Token& t = peek();
        const bool numeric = field.kind == FieldKind::Number ||
                             field.kind == FieldKind::NumberText ||
                             field.kind == FieldKind::Integer;
        if (t.kind == Tok::Number && numeric) {
            const auto value = wholeNumber(t.text);
            if (!value) fail(m_error, QStringLiteral("(bad number %1)").arg(t.text));
            ++m_pos;
            return *value;
        }
        if (t.kind == Tok::Date && field.kind == FieldKind::Date) {
            const auto date = parseMdy(t.text);
            if (!date) fail(m_error, QStringLiteral("(bad date #%1#)").arg(t.text));
            ++m_pos;
            return date->toString(Qt::ISODate);
        }
        if (t.kind == Tok::Text && field.kind == FieldKind::Text) {
            ++m_pos;
            return t.text;
        }
        if (t.kind == Tok::Number || t.kind == Tok::Date || t.kind == Tok::Text) {
            throw RuntimeError(
                3464, errorDescription(3464) + QStringLiteral(" (field %1)").arg(field.name));
        }
        fail(m_error, QStringLiteral("(a value expected)"));
    }

    std::vector<Token> m_tokens;
    std::size_t m_pos = 0;
    int m_error;
};

const TableInfo& tableOf(const QString& name) {
    const TableInfo* t = knownTable(name);
    if (!t) {
        throw RuntimeError(err::TableNotFound,
                           QStringLiteral("The database engine cannot find the input table or "
                                          "query '%1'.")
                               .arg(name));
    }
    return *t;
}

}  // namespace

QString quotedName(const QString& name) { return u'"' + name + u'"'; }

QString SqlQuery::selectSql(const QString& columns, Order order) const {
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(columns, quotedName(table->name));
    if (!condition.where.isEmpty()) sql += QStringLiteral(" WHERE ") + condition.where;
    if (order == Order::Unordered) return sql;
    sql += QStringLiteral(" ORDER BY ");
    if (!orderBy.isEmpty()) sql += orderBy + QStringLiteral(", ");
    return sql + QStringLiteral("rowid");
}

SqlQuery translateSource(const QString& source) {
    Parser p(source, err::SqlSyntax);
    SqlQuery q;
    if (p.peek().kind == Tok::Word && p.peek(1).kind == Tok::End &&
        !p.peekWord("SELECT")) {  // a table name alone
        q.table = &tableOf(p.peek().text);
        return q;
    }
    p.expectWord("SELECT");
    p.acceptWord("ALL");
    p.expect(Tok::Star, "*");
    p.expectWord("FROM");
    q.table = &tableOf(p.expect(Tok::Word, "a table name").text);
    if (p.acceptWord("WHERE")) {
        p.setError(err::SyntaxError);
        q.condition = p.condition(*q.table);
        p.setError(err::SqlSyntax);
    }
    if (p.acceptWord("ORDER")) {
        p.expectWord("BY");
        const FieldInfo& f = p.fieldOf(*q.table, p.expect(Tok::Word, "a field name").text);
        q.orderBy = quotedName(f.name);
        // Descriptions are listed letter by letter, accents and case aside.
        if (f.kind == FieldKind::Text)
            q.orderBy += QStringLiteral(" COLLATE ") + QLatin1String(kLetterOrder);
        if (f.kind == FieldKind::NumberText) q.orderBy = numberOf(q.orderBy);
    }
    p.expectEnd();
    return q;
}

SqlCondition translateCriteria(const QString& criteria, const TableInfo& table) {
    Parser p(criteria, err::SyntaxError);
    SqlCondition c = p.condition(table);
    p.expectEnd();
    return c;
}

}  // namespace pw
