// Tallyboard, the display setup utility: the product selection window and,
// from its OK, the main window of the chosen model. The display is reached
// only through the Polelink library the program is linked against.

#include "Clock.h"
#include "LibraryPolelink.h"
#include "PageEvents.h"
#include "SelectionWindow.h"
#include "StandardOptions.h"
#include "WxResources.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <wx/app.h>

void InitTallyboardResources();

namespace
{
// The setup utility's application object: it runs the product selection
// window, and the program ends with it; there is no other message loop.
class CTallyboardApp final : public wxApp
{
public:
    // The command line is not read.
    bool OnInit() override
    {
        SetAppName("Tallyboard");
        SetAppDisplayName("Tallyboard");
        InitWxResources();
        InitTallyboardResources();
        InitPageResources();
        return true;
    }

    int OnRun() override
    {
        CSelectionWindow window(nullptr, m_polelink, CClock::Real());
        window.RunModal();
        return 0;
    }

private:
    CLibraryPolelink m_polelink;
};
} // namespace

wxIMPLEMENT_APP_NO_MAIN(CTallyboardApp);

namespace
{
const CProgramInfo kTallyboard{
    "Tallyboard", "Usage: Tallyboard [--user-folder]\n"
                  "       Tallyboard --help | --version\n"
                  "\n"
                  "Sets up a customer display. Works in the current folder, where it keeps\n"
                  "Polelink.ini and the settings files; with --user-folder in\n"
                  "$XDG_DATA_HOME/vfdkit/tallyboard (~/.local/share/vfdkit/tallyboard),\n"
                  "made on first use: the desktop menu starts it that way.\n"};

// The per-user folder, made when missing; the cause when it cannot be.
std::optional<std::filesystem::path> UserFolder(std::string& strError)
{
    const char* pszData = std::getenv("XDG_DATA_HOME");
    const char* pszHome = std::getenv("HOME");
    std::filesystem::path folder;
    if (pszData && *pszData == '/')
        folder = pszData;
    else if (pszHome && *pszHome)
        folder = std::filesystem::path(pszHome) / ".local" / "share";
    else
    {
        strError = "neither XDG_DATA_HOME nor HOME is set";
        return std::nullopt;
    }
    folder /= "vfdkit/tallyboard";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
    {
        strError = folder.string() + ": " + ec.message();
        return std::nullopt;
    }
    return folder;
}
} // namespace

int main(int argc, char** argv)
{
    if (const auto nStatus = AnswerStandardOptions(argc, argv, kTallyboard))
        return *nStatus;
    // --user-folder is ours; the rest goes to the toolkit.
    std::vector<char*> args{argv[0]};
    for (int i = 1; i < argc; ++i)
    {
        if (std::string_view(argv[i]) != "--user-folder")
        {
            args.push_back(argv[i]);
            continue;
        }
        std::string strError;
        const auto folder = UserFolder(strError);
        std::error_code ec;
        if (folder)
            std::filesystem::current_path(*folder, ec);
        if (!folder || ec)
        {
            std::fprintf(stderr, "Tallyboard: cannot work in the user folder: %s\n",
                         folder ? ec.message().c_str() : strError.c_str());
            return 1;
        }
    }
    int nArgs = static_cast<int>(args.size());
    args.push_back(nullptr);
    return wxEntry(nArgs, args.data());
}
