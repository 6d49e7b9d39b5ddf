#pragma once

#include "ConsoleUserInterface.h"
#include "DocumentSite.h"

#include <string>
#include <vector>

// The document's framework side, for a document the command line opens:
// no views, no recent files, messages on the console.
class CConsoleDocumentSite final : public CDocumentSite
{
public:
    std::string GetPathName() const override { return m_strPath; }
    void SetPathName(const std::string& strPath) override { m_strPath = strPath; }
    void AddToRecentFileList(const std::string&) override {}
    std::vector<CDocumentView*> GetViews() override { return {}; }
    CUserInterface& GetUserInterface() override { return m_ui; }

    std::string m_strPath;
    CConsoleUserInterface m_ui;
};
