#include "render/builtinimages.h"

namespace {

// Appends prefix + name + ".png" for each name.
void addImages(QStringList& paths, const QString& folder, const QStringList& names)
{
    for (const QString& name : names)
        paths.append(folder + name + QStringLiteral(".png"));
}

QStringList makeBuiltinImagePaths()
{
    QStringList paths;
    addImages(paths, QStringLiteral(":/file/images/File/"),
        { "new", "open", "save", "save32", "cut", "copy", "paste", "arrow_undo", "arrow_redo", "palette", "pagesetup",
            "library", "zoom_in", "zoom_out", "zoom_to_selection" });
    addImages(paths, QStringLiteral(":/grid/images/grid/"),
        { "grid_none", "grid_small", "grid_medium", "grid_large", "grid_iso_small", "grid_iso_medium", "grid_iso_large",
            "grid_custom", "magnet" });
    addImages(paths, QStringLiteral(":/snap/images/snap/"), { "snap_grid", "snap_vertex" });
    addImages(paths, QStringLiteral(":/align/images/align/"),
        { "alignLeft", "alignTop", "alignRight", "alignBottom", "alignCenterH", "alignCenterV", "alignCenterHV" });
    addImages(paths, QStringLiteral(":/fonts/images/fonts/"),
        { "default", "roman", "bold", "italic", "sansserif", "typewriter" });
    addImages(paths, QStringLiteral(":/markers/images/markers/"),
        { "DOT_SMALL_NORMAL", "DOT_SMALL_TAGGED", "DOT_SMALL_TAGGED2", "DOT_SMALL_LINKED", "DOT_COMPOUND_SMALL_NORMAL",
            "DOT_COMPOUND_SMALL_TAGGED" });
    addImages(paths, QStringLiteral(":/compounds/images/compounds/"), { "create", "break", "open", "close" });
    // The tool panel's icons share one folder under two prefixes: drawing
    // modes under "shapes", modes that work on existing objects under
    // "manipulations".
    addImages(paths, QStringLiteral(":/manipulations/images/mainToolBar/"),
        { "selectobj_off", "select_on", "copy", "arrow", "tangent", "normal", "flip_xax", "flip_yax", "rotate_left",
            "rotate_right", "add_point", "delete_point", "update", "scale_comp", "delete" });
    addImages(paths, QStringLiteral(":/shapes/images/mainToolBar/"),
        { "cbr", "cbd", "ebr", "ebd", "closed_spl", "spline", "closed_int_spl", "int_spl", "box", "regpoly", "polygon",
            "polyline", "text", "arc", "picture" });
    QStringList arrows { "none" };
    for (int n = 1; n <= 29; ++n)
        arrows << QStringLiteral("back%1").arg(n) << QStringLiteral("forw%1").arg(n);
    addImages(paths, QStringLiteral(":/arrows/images/arrows/"), arrows);
    QStringList patterns;
    for (int n = 0; n < 22; ++n)
        patterns << QStringLiteral("pattern%1").arg(n);
    addImages(paths, QStringLiteral(":/patterns/images/patterns/"), patterns);
    addImages(paths, QStringLiteral(":/lineStyles/images/lineStyles/"),
        { "solid", "dashed", "dotted", "dashdot", "dash2dots", "dash3dots" });
    addImages(paths, QStringLiteral(":/constraints/images/constraints/"),
        { "unconstraint", "mounthattan", "manhattan", "mountain", "latexarrow", "latexline" });
    addImages(paths, QStringLiteral(":/folder/images/folder/"),
        { "folder_add", "folder_edit", "folder_delete", "arrow_refresh" });
    addImages(paths, QStringLiteral(":/diverse/images/diverse/"),
        { "Tavrel", "add", "remove", "clear", "comment", "comment_filled", "convert", "play", "refresh",
            "reset_input" });
    return paths;
}

} // namespace

const QStringList& builtinImagePaths()
{
    static const QStringList paths = makeBuiltinImagePaths();
    return paths;
}
