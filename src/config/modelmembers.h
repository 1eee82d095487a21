#pragma once

#include "config/configmodel.h"
#include "hardware/hardwareprofile.h"

#include <QString>

#include <optional>
#include <span>

// One description of the configuration model's members, which the JSON of
// the command line, its checks and the settings pages share: each member's
// name, where it lives, for the numbers the pages check the range they
// accept, and for the texts they cut the longest they keep. A page stores a
// member's substitute for anything else typed, and cuts a longer text; the
// command line refuses both outright (a script is better told than
// surprised by a substitute).

// The logo coordinates run from 0 to 1000.
inline constexpr int LogoCoordinateMax = 1000;

struct MemberRange
{
    qint64 Minimum = 0;
    qint64 Maximum = 0;
    qint32 Substitute = 0;
    // Signed members are compared as they are; the others as the unsigned
    // number typed, so that a negative one fails every range.
    bool Signed = false;

    bool Contains(qint32 value) const;
    // "1..128"
    QString Text() const;
};

// A member of a record type by name: a signed or unsigned 32-bit number or
// a text. Range is set for the numbers the settings pages check, for the
// hardware's limits (the model's, set by ApplyHardwareLimits, and the
// profile's).
template <class Record>
struct ModelMember
{
    const char *Name;
    qint32 Record::*Number = nullptr;
    quint32 Record::*UnsignedNumber = nullptr;
    QString Record::*Text = nullptr;
    int MaxLength = 0; // texts the pages cut
    MemberRange (*Range)(const ConfigModel &model, const HardwareProfile &profile) = nullptr;
};

// The scalars, texts and spares of the model (not Mac, the schedule and the
// arrays), the members of one multiplex, of one service and of one
// schedule entry.
std::span<const ModelMember<ConfigModel>> ModelMembers();
std::span<const ModelMember<MuxSettings>> MuxMembers();
std::span<const ModelMember<ServiceSettings>> ServiceMembers();
std::span<const ModelMember<ScheduleEntry>> ScheduleMembers();

// The range of a member of the model, of a multiplex or of a service.
// Members without a range are a programming error.
MemberRange RangeOf(qint32 ConfigModel::*member, const ConfigModel &model, const HardwareProfile &profile);
MemberRange RangeOf(qint32 MuxSettings::*member, const ConfigModel &model, const HardwareProfile &profile);
MemberRange RangeOf(qint32 ServiceSettings::*member, const ConfigModel &model, const HardwareProfile &profile);

// The longest a text member the pages cut keeps; members without a length
// are a programming error.
int LengthOf(QString ConfigModel::*member);
int LengthOf(QString ServiceSettings::*member);

// The first member whose value in changed differs from its value in before
// and lies outside its range, or is longer than the pages keep, as one
// line: "Ttl: 0 is outside 1..128", "Mux[1].FreqKHz: ...", "NetworkName: 40
// characters, at most 32". None when every change is accepted.
std::optional<QString> FindRangeRefusal(const ConfigModel &before, const ConfigModel &changed,
                                        const HardwareProfile &profile);
