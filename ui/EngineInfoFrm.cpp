#include "ui/EngineInfoFrm.h"

#include "ui/EngineInfoVw.h"

#include <QVBoxLayout>

TFormInfo::TFormInfo(QWidget *parent) : QWidget(parent, Qt::Window) {
    setWindowTitle("Info");
    setWindowModality(Qt::NonModal);
    FrameEngineInfo1 = new TFrameEngineInfo(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FrameEngineInfo1);
    resize(480, 230);
}
