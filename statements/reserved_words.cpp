// The words a player table may not be named with, in the order they are
// tried, and the test against them.
#include "statements/reserved_words.h"

#include <iterator>

#include "sql/tokenizer.h"

// The letter case of an entry means nothing: both sides are folded when
// compared, so "Float" also keeps out FLOAT and float.
// clang-format off
const char* const ReservedWords[] = {
    // SQL keywords, function names, type names and error names of several dialects.
    "ABS", "ABSOLUTE", "ACOS", "ADD", "ADD_MONTHS", "AFTER", "ALL", "ALTER", "AND",
    "ANSI_WARNINGS", "ANY", "ARITHABORT", "ARITHIGNORE", "AS", "ASC", "ASCII", "ASIN", "ATAN",
    "AVG", "BACKUP", "BEGIN", "BETWEEN", "Bit", "BLOB", "BOTH", "BREAK", "BY", "CASE", "CAST",
    "CEIL", "CEILNG", "CHAR", "CHARINDEX", "CHR", "CLOB", "CLOSE", "COLLECTION_IS_NULL", "COLUMN",
    "COLUMNS", "COMMIT", "CONCAT", "CONNECT", "CONSTRAINT", "CONTINUE", "CONVERT", "COS", "COT",
    "COUNT", "CREATE", "CURRVAL", "CURSOR", "CURSOR_ALREADY_OPEN", "CYCLE", "DATABASE", "DATE",
    "DATEADD", "DATEDIFF", "DATENAME", "DATEPART", "DAY", "DBMS_OUTPUT", "DEALLOCATE", "DECLARE",
    "DECODE", "DEFAULT", "DEGREES", "DELETE", "DESC", "Datetime", "DISTINCT", "DROP", "DUAL",
    "DUP_VAL_ON_INDEX", "EACH", "ELSE", "END", "EXCEPTION", "EXECUTE", "EXISTS", "EXIT", "EXP",
    "FETCH", "FETCH_STATUS", "FIRST", "Float", "FLOOR", "FOR", "FOREIGN", "FROM", "FUNCTION",
    "GETDATE", "GOTO", "GRANT", "GROUP", "GROUPING", "HAVING", "IDENTIFIED", "IF", "Image", "IN",
    "INCREMENT", "INDEX", "INVALID_CURSOR", "INVALID_NUMBER", "INNER", "INSERT", "INSTR", "INTO",
    "int", "IS", "ISNULL", "JOIN", "KEY", "LAST", "LEADING", "LEFT", "LEN", "LENGTH", "LIKE",
    "LINC", "LOCK", "LOG", "LOG10", "LOGIN_DENIED", "LONG", "LOOP", "LOWER", "LPAD", "LTRIM",
    "MAX", "MAXVALUE", "MIN", "MINVALUE", "MOD", "MODIFY", "Money", "MONTH", "MONTHS_BETWEEN",
    "NCHAR", "NEXT", "NEXTVAL", "NOCYCLE", "NO_DATA_FOUND", "NOT", "NOT_LOGGED_ON", "NULL",
    "NUMBER", "NVL", "OFF", "ON", "ONLY", "OPEN", "OPTION", "OR", "ORDER", "OTHERS", "PI", "PROC",
    "PROCEDURE", "POWER", "PRIMARY", "PRINT", "PRIOR", "PUBLIC", "PUT_LINE", "RADIANS", "RAISE",
    "RAND", "READ", "READTEXT", "Real", "REFERENCES", "RELATIVE", "RENAME", "REPLACE",
    "REPLICATE", "RESTORE", "RETURN", "REVERSE", "REVOKE", "RIGHT", "ROLLBACK", "ROLLUP", "ROUND",
    "ROW", "ROWTYPE_MISMATCH", "RPAD", "RTRIM", "RULE", "SELECT", "SEQUENCE", "SESSION", "SET",
    "SETUSER", "SGN", "SHOW", "SIGN", "SIN", "Smallint", "Smamoney", "Smalldatetime", "SOME",
    "SP_ADDLOGIN", "SP_DROPLOGIN", "SP_GRANTDBACCESS", "SP_RENAME", "SP_REVOKEDBACCESS", "SPACE",
    "SQRT", "SQUARE", "START", "STATISTICS", "STDDEV", "STDEV", "STDEVP", "STR", "STUFF",
    "SUBSTR", "SUBSTRING", "SUM", "SYNONYM", "SYS_INVALID_ROWID", "SYSDATE", "TAN", "Text",
    "THEN", "Tinyint", "TO_CHAR", "TO_DATE", "TO_NUMBER", "TOO_MANY_ROWS", "TRAILING", "TRAN",
    "TRANSACTION", "TRIGGER", "TRIM", "TRUNC", "TRUNCATE", "UNICODE", "UNION", "UNIQUE", "UPDATE",
    "UPDATETEXT", "UPPER", "USER", "USING", "VALUES", "VALUE_ERROR", "VAR", "Varchar", "VARCHAR2",
    "VARIANCE", "VARP", "VIEW", "WHEN", "WHILE", "WHERE", "WITH", "WORK", "WRITE", "WRITETEXT",
    "YEAR", "ZERO_DIVIDE",
    // The words of the game's own tables and columns.
    "charaid", "field", "fieldid", "party", "reliability", "w", "world", "worldid", "x", "y", "z",
    // Names of the people of the keep.
    "Kelvo", "Dorsa", "Tavi", "Polu", "Gesko", "Marub", "Wendo", "Haspi", "Bolvik", "Zentu",
    "Omra", "Yeto", "Kasul", "Urbo", "Tinso", "Relk", "Volmek", "Epsoli",
};
// clang-format on
static_assert(std::size(ReservedWords) == ReservedWordCount);

bool isReservedWord(const char* text) {
  for (const char* entry : ReservedWords) {
    if (keywordEquals(text, entry)) return true;
  }
  return false;
}
