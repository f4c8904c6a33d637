#pragma once
// View of the engine's search: depth, moves, positions, time and why the search ended,
// refreshed five times a second from a copy of the search's information record.
#include "engine/ZSucheDflt.h"

#include <QStringList>
#include <QWidget>

class QTimer;
class QTreeWidget;

class TFrameEngineInfo : public QWidget {
    Q_OBJECT
public:
    explicit TFrameEngineInfo(QWidget *parent = nullptr);

    // The value texts in the order of the names.
    static QStringList Werte(const TSuchInfo &info);
    static const QStringList &Namen();

    QTreeWidget *ValueListEditor;
    QTimer *Timer1;

public slots:
    void Aktualisieren();

protected:
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
};
