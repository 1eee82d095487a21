#pragma once

#include <QList>
#include <QRandomGenerator>
#include <QString>

// How the simulated device misbehaves for a request.
// Short: the request is carried out, but the reply holds only the first half
// of its payload (a device that loses bytes).
enum class FaultKind { None, Silence, Refuse, BadCheck, Delay, Drop, Short };

struct Fault
{
    FaultKind kind = FaultKind::None;
    int delayMs = 0;
};

// Faults chosen on the command line, per request class (or command name, or
// every request), either always or at random with a seeded generator.
//   --fault CMD_GET_STATUS:silence   --fault 0x50:refuse   --fault all:delay:300
//   --fault 0x40:drop:0.25           (a quarter of the status polls, at random)
//   --fault CMD_FILE_READ:short
class FaultPlan
{
public:
    // Adds one rule; returns false with a message for a malformed rule.
    bool addRule(const QString &rule, QString *error);
    void setSeed(quint32 seed) { m_random.seed(seed); }

    Fault faultFor(quint8 requestClass, const char *commandName);

private:
    struct Rule
    {
        int requestClass = -1; // -1: by name or every request
        QString commandName;   // empty: by class or every request
        Fault fault;
        double probability = 1.0;
    };

    QList<Rule> m_rules;
    QRandomGenerator m_random{1};
};
