#pragma once
// The judges' mice: three USB mice of an approved model as the judges' hand
// boxes, left button a blue point, right button a red point.
//
// A mouse is a judge's hand box when its device name, upper-cased, contains
// exactly two of the judges' device ids (JudgeDevices::isJudgeMouse: its
// vendor and product id). The judges are numbered by the order of their mice's first input (a movement counts):
// ListBox1, a hidden list on the match screen, keeps the names in that order
// and is never cleared while the program runs, so the numbers hold for every
// bout. A mouse plugged out and back into the same socket keeps its name and
// its number.
//
// Live scoring registers the mice for input with the bout opening
// (registerMice) and removes them when the scoreboard closes or the settings
// dialog is cancelled (removeMice). Each report goes to WMGiris: while the
// settings dialog is open (FTestMode) a press lights the judge's test mark;
// while the judges' clicks are live (FMiceLive) in a full-contact bout it is
// a point on his card. Other mice, a fourth judge's mouse, releases, the
// wheel and movements score nothing.
//
// Presence: the match screen's activation asks JudgeDevices::MouseKontrol whether
// the mice are there (FMiceMode, FMiceLinked); the running clock checks it
// every second and stops the bout when they are gone. A mouse plugged in
// again is found again at once: FMiceLinked comes back when the presence test
// passes again, without reopening the match screen.
//
// Reading the mice needs the permission to read the input devices; when it
// is missing the operator is told once per run (kNoPermission) and the bout
// is scored from the serial device and the keys.

#include "platform/input/MouseInput.h"

#include <QObject>
#include <QPointer>

#include <memory>

class LiveScoring;
class QListWidget;
class QWidget;

class JudgeMice : public QObject {
    Q_OBJECT
public:
    // The list ListBox1 goes onto the match screen (hidden); without one the
    // mice keep it themselves.
    JudgeMice(LiveScoring& live, std::shared_ptr<MouseInputSource> source, QWidget* matchScreen = nullptr,
              QObject* parent = nullptr);
    ~JudgeMice() override;

    static const QString kNoPermission;

    // Another source (tests); the numbering stays.
    void setSource(std::shared_ptr<MouseInputSource> source);
    MouseInputSource* source() const { return m_source.get(); }

    // Raw input of the mice for the match screen: on / off.
    void registerMice();
    void removeMice();
    // The match screen's activation: tells once when mice are there that
    // cannot be read.
    void activated();

    // One mouse report.
    void WMGiris(const RawMouseInput& report);
    // A mouse was plugged in or out.
    void devicesChanged();

    QListWidget* ListBox1;
    int CurrentJudge = 0;

private:
    void tellPermissionOnce();

    LiveScoring& m_live;
    std::shared_ptr<MouseInputSource> m_source;
    QList<QMetaObject::Connection> m_connections;
    bool m_ownList = false;
    bool m_permissionTold = false;
};
