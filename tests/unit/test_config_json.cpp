#include "config/modeljson.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace {

QJsonObject Object(const char *json)
{
    return QJsonDocument::fromJson(json).object();
}

// The refusal message for a JSON text overlaid on a model, which must then
// be unchanged; empty when the text was taken.
QString Refusal(const char *json)
{
    ConfigModel model;
    model.NetworkName = QStringLiteral("kept");
    const ConfigModel before = model;
    QString error;
    if (ApplyModelJson(Object(json), model, error))
        return {};
    EXPECT_EQ(model, before) << json;
    EXPECT_FALSE(error.isEmpty()) << json;
    return error;
}

} // namespace

TEST(ConfigJson, WritesEveryMemberAndReadsItBack)
{
    ConfigModel model;
    model.Reference = QStringLiteral("Unité \"1\"");
    model.NitSpare = -5;
    model.NetText2 = QStringLiteral("n2");
    model.Mac = {1, 2, 3, 4, 5, 255};
    model.Mux[3].SymbolRate = 22000;
    model.Service[3].AitRoot = QStringLiteral("http://a/");
    model.Service[2].AudioDelayMs = -999;
    model.ScheduleCount = 2;
    model.ScheduleEntries[1] = {0xFFFFFFFF, 2, 3, 4, 5, 1, QStringLiteral("f.ts")};
    model.ScheduleEntries[2].File = QStringLiteral("not valid, not written");

    const QJsonObject json = ModelToJson(model);
    EXPECT_EQ(json.size(), 51 + 5); // plain members, then Mac, Mux, Service and the schedule
    EXPECT_EQ(json["Mux"].toArray().size(), 4);
    EXPECT_EQ(json["Mux"].toArray()[0].toObject().size(), 11);
    EXPECT_EQ(json["Service"].toArray().size(), 4);
    EXPECT_EQ(json["Service"].toArray()[0].toObject().size(), 23);
    EXPECT_EQ(json["ScheduleEntries"].toArray().size(), 2);
    EXPECT_EQ(json["ScheduleEntries"].toArray()[1].toObject()["StartDate"].toInteger(), 0xFFFFFFFF);

    ConfigModel readBack;
    readBack.ScheduleEntries[2].File = model.ScheduleEntries[2].File;
    QString error;
    ASSERT_TRUE(ApplyModelJson(json, readBack, error)) << error.toStdString();
    EXPECT_EQ(readBack, model);
}

TEST(ConfigJson, OverlaysOnlyTheMembersPresent)
{
    ConfigModel model;
    model.Reference = QStringLiteral("kept");
    model.Service[0].Lcn = 9;
    QString error;
    ASSERT_TRUE(ApplyModelJson(Object(R"({"NetworkName":"new","Service":[{},{"Lcn":5}],
                                          "ScheduleEntries":[{"File":"a.ts","Action":1}]})"),
                               model, error));
    EXPECT_EQ(model.Reference, "kept");
    EXPECT_EQ(model.NetworkName, "new");
    EXPECT_EQ(model.Service[0].Lcn, 9);
    EXPECT_EQ(model.Service[1].Lcn, 5);
    EXPECT_EQ(model.ScheduleCount, 1);
    EXPECT_EQ(model.ScheduleEntries[0].Action, 1u);
}

TEST(ConfigJson, RefusesUnknownKeysAndWrongTypes)
{
    EXPECT_EQ(Refusal(R"({"NetworkName":"x","Colour":1})"), "Colour: unknown member");
    EXPECT_EQ(Refusal(R"({"Mux":[{"Mode":1},{"Width":8}]})"), "Mux[1].Width: unknown member");
    EXPECT_EQ(Refusal(R"({"Ttl":"64"})"), "Ttl: expected a 32-bit integer");
    EXPECT_EQ(Refusal(R"({"NetworkName":5})"), "NetworkName: expected a string");
    EXPECT_FALSE(Refusal(R"({"Ttl":6.5})").isEmpty());
    EXPECT_FALSE(Refusal(R"({"Ttl":2147483648})").isEmpty());
    EXPECT_TRUE(Refusal(R"({"Ttl":-2147483648})").isEmpty());
    EXPECT_FALSE(Refusal(R"({"Ttl":null})").isEmpty());
    EXPECT_FALSE(Refusal(R"({"ScheduleEntries":[{"StartDate":-1}]})").isEmpty());
    EXPECT_FALSE(Refusal(R"({"Service":[{"ServiceName":["a"]}]})").isEmpty());
    EXPECT_FALSE(Refusal(R"({"Service":{"Lcn":1}})").isEmpty());
    EXPECT_FALSE(Refusal(R"({"Service":[1]})").isEmpty());
}

TEST(ConfigJson, RefusesArraysThatDoNotFitTheModel)
{
    EXPECT_FALSE(Refusal(R"({"Mac":[1,2,3,4,5]})").isEmpty());
    EXPECT_FALSE(Refusal(R"({"Mac":[1,2,3,4,5,256]})").isEmpty());
    EXPECT_FALSE(Refusal(R"({"Mux":[{},{},{},{},{}]})").isEmpty());
    EXPECT_FALSE(Refusal(R"({"ScheduleEntries":[{},{},{},{},{},{},{},{},{},{},{}]})").isEmpty());
    EXPECT_FALSE(Refusal(R"({"ScheduleCount":11})").isEmpty());
    EXPECT_EQ(Refusal(R"({"ScheduleCount":2,"ScheduleEntries":[{}]})"),
              "ScheduleCount: differs from the number of ScheduleEntries");
    EXPECT_TRUE(Refusal(R"({"ScheduleCount":1,"ScheduleEntries":[{}]})").isEmpty());
}

TEST(ConfigJson, ParsesOnlyADocumentHoldingOneValidObject)
{
    QJsonObject json;
    QString error;
    EXPECT_FALSE(ParseModelJson("{\"Ttl\":", json, error));
    EXPECT_FALSE(ParseModelJson("[1]", json, error));
    EXPECT_FALSE(ParseModelJson(R"({"Nope":1})", json, error));
    EXPECT_EQ(error, "Nope: unknown member");
    EXPECT_TRUE(ParseModelJson(R"({"Ttl":9})", json, error));
    EXPECT_EQ(json["Ttl"].toInt(), 9);
}
