#pragma once
// The keyword tables of the scripting object: the names scripts use for
// attribute values, units and directions. Empty until initScriptKeywords
// fills them once at start, before the event loop runs; constant afterwards.

#include <QHash>
#include <QString>

using ScriptKeywordTable = QHash<QString, int>;

extern ScriptKeywordTable lineStyleKeywords;
extern ScriptKeywordTable capStyleKeywords;
extern ScriptKeywordTable joinStyleKeywords;
extern ScriptKeywordTable cornerTypeKeywords;
extern ScriptKeywordTable arcTypeKeywords;
extern ScriptKeywordTable alignmentKeywords;
extern ScriptKeywordTable unitKeywords;
extern ScriptKeywordTable directionKeywords;

void initScriptKeywords();

// The value of a keyword, looked up exactly (case matters); a keyword the
// table does not hold gives 0, the table's first value.
int scriptKeyword(const ScriptKeywordTable& table, const QString& keyword);
