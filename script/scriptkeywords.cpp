#include "script/scriptkeywords.h"

ScriptKeywordTable lineStyleKeywords;
ScriptKeywordTable capStyleKeywords;
ScriptKeywordTable joinStyleKeywords;
ScriptKeywordTable cornerTypeKeywords;
ScriptKeywordTable arcTypeKeywords;
ScriptKeywordTable alignmentKeywords;
ScriptKeywordTable unitKeywords;
ScriptKeywordTable directionKeywords;

void initScriptKeywords()
{
    lineStyleKeywords = { { QStringLiteral("solid"), 0 }, { QStringLiteral("dashed"), 1 },
        { QStringLiteral("dotted"), 2 }, { QStringLiteral("dashdot"), 3 }, { QStringLiteral("dash2dots"), 4 },
        { QStringLiteral("dash3dots"), 5 } };
    capStyleKeywords
        = { { QStringLiteral("butt"), 0 }, { QStringLiteral("round"), 1 }, { QStringLiteral("projecting"), 2 } };
    joinStyleKeywords
        = { { QStringLiteral("miter"), 0 }, { QStringLiteral("round"), 1 }, { QStringLiteral("bevel"), 2 } };
    cornerTypeKeywords = { { QStringLiteral("normal"), 0 }, { QStringLiteral("round"), 1 } };
    arcTypeKeywords
        = { { QStringLiteral("open"), 0 }, { QStringLiteral("pie"), 1 }, { QStringLiteral("elliptical"), 2 } };
    alignmentKeywords
        = { { QStringLiteral("left"), 0 }, { QStringLiteral("center"), 1 }, { QStringLiteral("right"), 2 } };
    unitKeywords = { { QStringLiteral("fig"), 0 }, { QStringLiteral("metric"), 1 }, { QStringLiteral("imperial"), 2 } };
    directionKeywords = { { QStringLiteral("graphics"), 0 }, { QStringLiteral("cartesian"), 1 } };
}

int scriptKeyword(const ScriptKeywordTable& table, const QString& keyword)
{
    return table.value(keyword, 0);
}
