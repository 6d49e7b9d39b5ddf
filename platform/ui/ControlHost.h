#pragma once

// What a custom-drawn control needs of its window: the size of its client
// area and repainting. (A click gives the window the focus by itself.) The wx layer implements it
// with CWxControlHost; tests use CFakeControlHost (fonteditor/controls/fakes).
struct CClientSize
{
    int m_nWidth = 0;
    int m_nHeight = 0;

    bool operator==(const CClientSize&) const = default;
};

class CControlHost
{
public:
    virtual ~CControlHost() = default;

    virtual CClientSize GetClientSize() const = 0;
    // Invalidates the whole client area with erasing; the paint follows
    // with the next paint event, not within this call.
    virtual void Invalidate() = 0;
};
