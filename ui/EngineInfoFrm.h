#pragma once
// Window around the engine information view; stays open beside the main window.
#include <QWidget>

class TFrameEngineInfo;

class TFormInfo : public QWidget {
    Q_OBJECT
public:
    explicit TFormInfo(QWidget *parent = nullptr);
    TFrameEngineInfo *FrameEngineInfo1;
};
