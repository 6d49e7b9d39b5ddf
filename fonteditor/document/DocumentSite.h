#pragma once

#include "MessageTarget.h"
#include "UserInterface.h"

#include <cstdint>
#include <string>
#include <vector>

// What the font document needs of a view: synchronous messages and updates.
class CDocumentView : public CMessageTarget
{
public:
    virtual void OnUpdate(std::intptr_t nHint) = 0;
};

// What the font document needs of the document/view framework: the path of
// its file, its views in order, the recent-file list and message boxes. The
// wx layer implements it; tests use a fake.
class CDocumentSite
{
public:
    virtual ~CDocumentSite() = default;

    virtual std::string GetPathName() const = 0;
    virtual void SetPathName(const std::string& strPath) = 0;
    virtual void AddToRecentFileList(const std::string& strPath) = 0;
    virtual std::vector<CDocumentView*> GetViews() = 0;
    virtual CUserInterface& GetUserInterface() = 0;
};
