#pragma once
// The document window: shows one document's canvas and owns its CFigContext.

#include <QWidget>

class QTChildFrm : public QWidget {
    Q_OBJECT
public:
    explicit QTChildFrm(QWidget* parent = nullptr);
};
