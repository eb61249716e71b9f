#pragma once
// The attribute page of the update tool: 19 check boxes that choose which
// current attributes and document colours the tool copies onto a picked
// object, kept in `updateMask` (whose one writer this page is), and the
// buttons All, None and Toggle. Made without Qt parent; the main window
// places it in its attribute stack and deletes it. Owns its form.

#include <QWidget>

#include <array>
#include <memory>

class AttrsPageForm;
class QCheckBox;
class QTMainFrm;

class UpdateAttrsToolbar : public QWidget {
    Q_OBJECT
public:
    explicit UpdateAttrsToolbar(QTMainFrm* mainWindow, Qt::WindowFlags flags = {});
    ~UpdateAttrsToolbar() override;

    QTMainFrm* mainWindow; // not owned

public slots:
    void onAll(bool checked);
    void onNone(bool checked);
    void onToggle(bool checked);
    // Rewrites the whole mask from the check boxes.
    void flagChanged();

private:
    void setAll(Qt::CheckState state);

    std::unique_ptr<AttrsPageForm> form;
    // Top to bottom: the 13 boxes above the "Text" group, then its six.
    std::array<QCheckBox*, 19> boxes {};
};
