#include "model/compoundcorners.h"

#include "model/figcompound.h"

void CompoundCorners::capture(const FigObjectList* list)
{
    if (!list)
        return;
    for (FigObject* object : *list) {
        if (object->type != FigObject::Compound)
            continue;
        auto* compound = static_cast<FigCompound*>(object);
        entries.append(
            { compound, compound->upperLeft.x, compound->upperLeft.y, compound->lowerRight.x, compound->lowerRight.y });
        capture(compound->members);
    }
}

void CompoundCorners::restore() const
{
    for (const Entry& entry : entries) {
        entry.compound->upperLeft.x = entry.x1;
        entry.compound->upperLeft.y = entry.y1;
        entry.compound->lowerRight.x = entry.x2;
        entry.compound->lowerRight.y = entry.y2;
    }
}

void CompoundCorners::keepNeeded(QSet<const FigCompound*>& seen)
{
    QVector<Entry> kept;
    for (const Entry& entry : qAsConst(entries)) {
        const FigCompound* c = entry.compound;
        const bool first = !seen.contains(c);
        seen.insert(c);
        const bool changed = c->upperLeft.x != entry.x1 || c->upperLeft.y != entry.y1 || c->lowerRight.x != entry.x2
            || c->lowerRight.y != entry.y2;
        if (first && changed)
            kept.append(entry);
    }
    entries = kept;
}
