#include "faultplan.h"

#include "link/commands.h"

#include <algorithm>

namespace {

FaultKind ParseKind(const QString &word)
{
    if (word == QLatin1String("silence"))
        return FaultKind::Silence;
    if (word == QLatin1String("refuse"))
        return FaultKind::Refuse;
    if (word == QLatin1String("badcheck"))
        return FaultKind::BadCheck;
    if (word == QLatin1String("delay"))
        return FaultKind::Delay;
    if (word == QLatin1String("drop"))
        return FaultKind::Drop;
    return FaultKind::None;
}

bool IsCommandName(const QString &name)
{
    return std::any_of(std::begin(AllDeviceCommands), std::end(AllDeviceCommands),
                       [&name](const DeviceCommand &command) { return name == QLatin1String(command.name); });
}

} // namespace

bool FaultPlan::addRule(const QString &text, QString *error)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    Rule rule;
    if (parts.size() < 2) {
        *error = QStringLiteral("fault rule %1: expected TARGET:KIND[:ARG]").arg(text);
        return false;
    }
    const QString &target = parts[0];
    if (target.startsWith(QLatin1String("0x"))) {
        bool ok = false;
        rule.requestClass = target.mid(2).toInt(&ok, 16);
        if (!ok || rule.requestClass < 0x10 || rule.requestClass > 0xD0 || rule.requestClass % 0x10) {
            *error = QStringLiteral("fault rule %1: bad request class").arg(text);
            return false;
        }
    } else if (target != QLatin1String("all")) {
        // A misspelt name would match nothing and leave the device healthy
        // where the caller asked for a fault.
        if (!IsCommandName(target)) {
            *error = QStringLiteral("fault rule %1: no command is called %2").arg(text, target);
            return false;
        }
        rule.commandName = target;
    }
    rule.fault.kind = ParseKind(parts[1]);
    if (rule.fault.kind == FaultKind::None) {
        *error = QStringLiteral("fault rule %1: kind is silence, refuse, badcheck, delay or drop").arg(text);
        return false;
    }
    int next = 2;
    if (rule.fault.kind == FaultKind::Delay) {
        bool ok = false;
        rule.fault.delayMs = parts.value(next++).toInt(&ok);
        if (!ok || rule.fault.delayMs < 0) {
            *error = QStringLiteral("fault rule %1: delay needs milliseconds").arg(text);
            return false;
        }
    }
    if (next < parts.size()) {
        bool ok = false;
        rule.probability = parts[next].toDouble(&ok);
        if (!ok || rule.probability < 0 || rule.probability > 1 || next + 1 < parts.size()) {
            *error = QStringLiteral("fault rule %1: probability must be between 0 and 1").arg(text);
            return false;
        }
    }
    m_rules.append(rule);
    return true;
}

Fault FaultPlan::faultFor(quint8 requestClass, const char *commandName)
{
    for (const Rule &rule : std::as_const(m_rules)) {
        const bool matches = rule.requestClass >= 0 ? rule.requestClass == requestClass
                             : !rule.commandName.isEmpty() ? rule.commandName == QLatin1String(commandName)
                                                           : true;
        if (!matches)
            continue;
        if (rule.probability >= 1.0 || m_random.generateDouble() < rule.probability)
            return rule.fault;
    }
    return {};
}
