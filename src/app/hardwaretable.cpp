#include "app/hardwaretable.h"

#include <iterator>

namespace {

struct HardwareModel
{
    int code;
    const char *model;
    const char *family;
};

constexpr HardwareModel Models[] = {
    {121, "LENADU", "VUBUKA"}, {128, "DISARE", "NETILU"}, {131, "BANODE", "LODAPO"},
    {132, "DUNASA", "VUBUKA"}, {133, "GUBUSO", "VUBUKA"}, {134, "BEBUFI", "VUBUKA"},
    {135, "NERASI", "VUBUKA"}, {136, "REDUSE", "VUBUKA"}, {137, "LARASA", "VUBUKA"},
    {138, "SEPUNI", "VUBUKA"}, {139, "PUPIKE", "VUBUKA"}, {140, "ZEVEDU", "VUBUKA"},
    {141, "KUPIVO", "VUBUKA"}, {142, "KUDARO", "POKAFA"}, {143, "FIFONA", "VUBUKA"},
    {144, "TAZUSI", "VUBUKA"}, {145, "LISOSO", "VUBUKA"}, {146, "DAKOVA", "VUBUKA"},
    {147, "BITUTO", "VUBUKA"}, {148, "KOTIBO", "VUBUKA"}, {149, "LESAPA", "VUBUKA"},
    {150, "GIFENO", "VUBUKA"}, {151, "PAFONU", "VUBUKA"}, {152, "KENUKO", "VUBUKA"},
    {153, "LOGEDE", "VUBUKA"}, {154, "FETEBO", "POKAFA"}, {155, "SEKIBE", "VUBUKA"},
    {156, "NULUSI", "VIVIPE"}, {157, "FUSAPU", "RAGULE"}, {158, "NONODO", "VUBUKA"},
    {159, "TOBEDE", "VUBUKA"}, {176, "PEDISA", "VUBUKA"}, {178, "DASERA", "VUBUKA"},
    {192, "LUBAGU", "VUBUKA"},
};

const HardwareModel *Find(int code)
{
    for (const HardwareModel &model : Models) {
        if (model.code == code)
            return &model;
    }
    return nullptr;
}

bool VersionByteHoldsMinor(int code)
{
    return code == 121 || code == 132;
}

} // namespace

QString ModelLabel(int hardwareCode)
{
    const HardwareModel *model = Find(hardwareCode);
    return model ? QString::fromLatin1(model->model) : QString();
}

QString FamilyLabel(int hardwareCode)
{
    const HardwareModel *model = Find(hardwareCode);
    return model ? QString::fromLatin1(model->family) : QString();
}

bool HasDvbC(int code)
{
    return code == 121 || (code >= 147 && code <= 155) || code == 157 || code == 158 || code == 159
        || code == 176 || code == 178 || code == 192;
}

bool HasPlayRec(int code)
{
    switch (code) {
    case 131: case 134: case 135: case 138: case 140: case 142: case 144: case 148:
    case 149: case 154: case 157: case 158: case 159: case 176: case 178: case 192:
        return true;
    default:
        return false;
    }
}

bool HasServiceDelay(int code, int firmwareVersionByte)
{
    if (!Find(code))
        return false;
    if (code == 154 || code == 157)
        return true;
    switch (code) {
    case 121: case 128: case 131: case 158: case 159: case 176: case 178:
        return false;
    case 142:
        return firmwareVersionByte >= 7;
    default:
        return true;
    }
}

int FirmwareMajor(int hardwareCode, int firmwareVersionByte)
{
    return VersionByteHoldsMinor(hardwareCode) ? firmwareVersionByte / 10 : firmwareVersionByte;
}

int FirmwareMinorShown(int hardwareCode, int firmwareVersionByte, int firmwareMinor)
{
    return VersionByteHoldsMinor(hardwareCode) ? firmwareVersionByte % 10 : firmwareMinor;
}
