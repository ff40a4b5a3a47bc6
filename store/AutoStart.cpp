#include "store/AutoStart.h"

#include "framework/ModulePath.h"
#include "store/ClockOptions.h"
#include "store/OptionRules.h"
#include "store/RegistryKey.h"
#include "store/SuiteContract.h"

namespace tembra {

std::string ClockPathBesideThisProgram() {
    const std::string self = ProgramPath();
    if (self.empty()) return std::string();
    return DirectoryOf(self) + "\\" + kClockProgram;
}

std::string ReadAutoStart() {
    RegistryKey run(KEY_READ);
    if (!run.Open(reg::kRunKey, false)) return std::string();
    return run.ReadText(reg::kRunValue, "");
}

bool AutoStartIsSet(const std::string& clockPath) {
    return !clockPath.empty() && AutoStartPointsAt(ReadAutoStart(), clockPath);
}

void ApplyAutoStart(bool wanted, const std::string& clockPath) {
    if (clockPath.empty()) return;
    RegistryKey run;
    // Only a wanted entry needs the key; removing never creates it.
    if (!run.Open(reg::kRunKey, wanted)) return;
    switch (AutoStartChangeFor(wanted, run.ReadText(reg::kRunValue, ""), clockPath)) {
        case AutoStartChange::Write: run.WriteText(reg::kRunValue, clockPath); break;
        case AutoStartChange::Delete: run.DeleteValue(reg::kRunValue); break;
        case AutoStartChange::None: break;
    }
}

}  // namespace tembra
