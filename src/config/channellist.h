#pragma once

#include <QIODevice>
#include <QList>
#include <QString>

// One channel the SERVICE page offers: choosing its name fills in the
// service's name, identifier and logical channel number at once.
struct ChannelEntry
{
    QString ChannelName;
    quint16 ChannelServiceId = 0;
    quint16 ChannelLcn = 0;
};

// The channels of "config/channel.csv", in file order.
using ChannelList = QList<ChannelEntry>;

inline constexpr int MaxChannels = 500;

// Reads "service identifier,name,logical channel number" lines until
// MaxChannels entries are found. Lines that do not fit are passed over;
// a file that cannot be opened gives an empty list.
ChannelList ReadChannelList(const QString &path);
ChannelList ReadChannelList(QIODevice &source);
