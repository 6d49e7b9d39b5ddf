#pragma once

#include "DocumentSite.h"
#include "RecordingMessageTarget.h"
#include "RecordingUserInterface.h"

#include <functional>
#include <vector>

// A view that records what the document tells it.
class CFakeDocumentView final : public CRecordingMessageTargetOf<CDocumentView>
{
public:
    using CMessage = CSentMessage;

    void OnUpdate(std::intptr_t nHint) override { m_updates.push_back(nHint); }

    std::vector<std::intptr_t> m_updates;
};

// The framework side of a document, held in plain fields.
class CFakeDocumentSite final : public CDocumentSite
{
public:
    std::string GetPathName() const override { return m_strPathName; }
    void SetPathName(const std::string& strPath) override { m_strPathName = strPath; }
    void AddToRecentFileList(const std::string& strPath) override { m_recent.push_back(strPath); }
    std::vector<CDocumentView*> GetViews() override { return m_views; }
    CUserInterface& GetUserInterface() override { return m_ui; }

    std::string m_strPathName;
    std::vector<std::string> m_recent;
    std::vector<CDocumentView*> m_views;
    CRecordingUserInterface m_ui;
};
