#pragma once

#include "requeststream.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>

#include <memory>

class SimDevice;

// The device's "USB serial port": a pseudo-terminal whose slave side the
// tool opens through a stable symlink. With a line rate set, every request
// is answered only when its bytes and the reply's bytes would have crossed a
// real line at that rate (10 bits a byte), so serial timings are realistic.
class PtyLink : public QObject
{
    Q_OBJECT

public:
    PtyLink(SimDevice &device, QObject *parent = nullptr);
    ~PtyLink() override;

    // Opens the pseudo-terminal and points symlinkPath at its slave side.
    bool open(const QString &symlinkPath, int baudRate, QString *error);
    QString slavePath() const { return m_slavePath; }
    // Sends a few stray bytes about 50 ms after every reply: noise that the
    // tool discards before its next request, or else passes over because it
    // cannot be taken for a reply.
    void setTrailingNoise(bool on) { m_trailingNoise = on; }

private:
    void readMaster();
    void writeMaster(const QByteArray &bytes);
    void answer(quint8 requestClass, const QByteArray &payload);
    double byteTimeMs() const;
    // Sleeps until the link's clock reads dueMs (a fraction of a millisecond).
    void sleepUntil(double dueMs) const;

    SimDevice &m_device;
    RequestStream m_stream;
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_symlinkPath;
    std::unique_ptr<QSocketNotifier> m_notifier;
    int m_baudRate = 0;
    bool m_trailingNoise = false;
    QElapsedTimer m_clock;
    double m_lineFreeAtMs = 0; // when the last byte received so far would have arrived
};
