#include "PageTable.h"

#include "Diagnostic.h"
#include "Models.h"
#include "Settings.h"
#include "Updata.h"
#include "VF510.h"

namespace
{
// A page that fills its controls does so as soon as its window exists.
template <class TPage, std::size_t N>
CPage Started(std::shared_ptr<TPage> pPage, const std::array<CPageCommand<TPage>, N>& commands)
{
    if constexpr (requires { pPage->OnInitDialog(); })
        pPage->OnInitDialog();
    return CPage(std::move(pPage), commands);
}
} // namespace

const std::vector<CPageRow>& PageTable()
{
    // The diagnostic page's window is made first, though its tab is last.
    static const std::vector<CPageRow> table{
        {Diagnostic::kDialogId,
         "Diagnostic",
         2,
         {kModelVF620, kModelVF730},
         [](const CPageParts& p)
         {
             return Started(std::make_shared<Diagnostic>(p.m_controls, p.m_ui, p.m_polelink,
                                                         p.m_clock, p.m_display),
                            kDiagnosticCommands);
         }},
        {Settings::kDialogId,
         "Settings",
         0,
         {kModelVF620, kModelVF730},
         [](const CPageParts& p)
         {
             return Started(
                 std::make_shared<Settings>(p.m_controls, p.m_ui, p.m_polelink, p.m_display),
                 kSettingsCommands);
         }},
        {Updata::kDialogId,
         "Update Font",
         1,
         {kModelVF730},
         [](const CPageParts& p)
         {
             return Started(std::make_shared<Updata>(p.m_controls, p.m_ui, p.m_polelink, p.m_clock),
                            kUpdataCommands);
         }},
        {VF510::kDialogId,
         nullptr,
         0,
         {kModelVF510},
         [](const CPageParts& p) {
             return Started(std::make_shared<VF510>(p.m_controls, p.m_ui, p.m_polelink),
                            kVF510Commands);
         }},
    };
    return table;
}
