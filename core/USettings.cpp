#include "core/USettings.h"

namespace zandor {

TProgramOptions LoadOptions(const TIniFile& settings) {
    TProgramOptions options;
    options.UseTempPic = settings.ReadBool(ini::Print, ini::UseTempPic, true);
    options.UseOsn = settings.ReadBool(ini::Print, ini::UseOsn, false);
    options.UseBord = settings.ReadBool(ini::Print, ini::UseBord, false);
    options.Use5MM = settings.ReadBool(ini::Print, ini::Use5MM, false);
    options.UseAnim = settings.ReadBool(ini::ViewCard, ini::UseAnim, false);
    options.UseCopy = settings.ReadBool(ini::ViewCard, ini::UseCopy, false);
    options.Stretch = static_cast<std::uint8_t>(settings.ReadInteger(ini::Stretch, ini::Key, 0));
    return options;
}

TWriteResult SaveOptions(TIniFile& settings, const TProgramOptions& options) {
    // Every key is attempted; the first failure is the one reported.
    TWriteResult result;
    auto keep = [&result](TWriteResult r) {
        if (result.Ok && !r.Ok)
            result = r;
    };
    keep(settings.WriteBool(ini::Print, ini::UseTempPic, options.UseTempPic));
    keep(settings.WriteBool(ini::Print, ini::UseOsn, options.UseOsn));
    keep(settings.WriteBool(ini::Print, ini::UseBord, options.UseBord));
    keep(settings.WriteBool(ini::Print, ini::Use5MM, options.Use5MM));
    keep(settings.WriteInteger(ini::Stretch, ini::Key, options.Stretch));
    keep(settings.WriteBool(ini::ViewCard, ini::UseAnim, options.UseAnim));
    keep(settings.WriteBool(ini::ViewCard, ini::UseCopy, options.UseCopy));
    return result;
}

} // namespace zandor
