// The setup window's picture: blue gradient, mirrored panel, texts, and cheap repaints.
#include "SetupUi.h"

#include "Gradient.h"
#include "SetupTexts.h"
#include "Wide.h"

namespace fastinst {

namespace {

constexpr int kPanelWidth = 270;

UniqueFont CreateTimesFont(int height, int width, int escapement, BOOL italic) {
    const SetupUi& ui = Ui();
    return UniqueFont(CreateFontW(ui.Scale(height), ui.Scale(width), escapement, escapement, 600,
                                  italic, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_CHARACTER_PRECIS, PROOF_QUALITY, FF_ROMAN | DEFAULT_PITCH,
                                  L"Times New Roman"));
}

void DrawLine(HDC dc, int x, int y, const std::u16string& text) {
    TextOutW(dc, x, y, Wide(text), static_cast<int>(text.size()));
}

void DrawGradientAndPanel(HDC dc) {
    const SetupUi& ui = Ui();
    for (const GradientBand& band : GradientBands(ui.height)) {
        UniqueBrush brush(CreateSolidBrush(PALETTEINDEX(band.index)));
        const RECT rect{0, band.top, ui.width + 2, band.bottom};
        FillRect(dc, &rect, brush.get());
    }
    // The panel behind the controls shows the gradient upside down.
    const int panelWidth = ui.Scale(kPanelWidth);
    const int panelHeight = ui.height - ui.cy - 3;
    StretchBlt(dc, ui.cx, ui.cy, panelWidth, panelHeight, dc, ui.cx, ui.height - 3, panelWidth,
               -panelHeight, SRCCOPY);
}

void DrawTexts(HDC dc) {
    const SetupUi& ui = Ui();
    const bool english = ui.install.english;
    SetBkMode(dc, TRANSPARENT);
    {
        UniqueFont titleFont = CreateTimesFont(85, 0, 0, TRUE);
        ObjectSelection select(dc, titleFont.get());
        SetTextColor(dc, RGB(0, 0, 0));
        DrawLine(dc, ui.Scale(30), ui.Scale(24), kProductTitle);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawLine(dc, ui.Scale(24), ui.Scale(18), kProductTitle);
    }
    {
        UniqueFont markFont = CreateTimesFont(60, 35, -450, FALSE);
        ObjectSelection select(dc, markFont.get());
        SetTextColor(dc, RGB(0, 0, 225));
        DrawLine(dc, ui.width - ui.Scale(60), -ui.Scale(11), kMonogram);
    }
    ObjectSelection select(dc, ControlFont());
    SetTextColor(dc, RGB(255, 255, 255));
    RECT descriptionRect{ui.Scale(32), ui.Scale(130), ui.width, ui.height};
    DrawTextW(dc, Wide(ui.description), static_cast<int>(ui.description.size()), &descriptionRect,
              DT_WORDBREAK | DT_NOPREFIX);

    SetTextColor(dc, RGB(50, 50, 255));
    DrawLine(dc, ui.cx + ui.Scale(24), ui.cy + ui.Scale(12),
             SetupMessage(kDestinationLabel, english));

    SetTextColor(dc, RGB(0, 0, 180));
    const std::u16string& notice = SetupMessage(kNoticeLine, english);
    RECT noticeRect{ui.cx, ui.height - ui.Scale(20), ui.cx + ui.Scale(kPanelWidth), ui.height};
    DrawTextW(dc, Wide(notice), static_cast<int>(notice.size()), &noticeRect,
              DT_CENTER | DT_NOPREFIX);
}

} // namespace

void BuildBluePalette() {
    SetupUi& ui = Ui();
    const std::size_t size = sizeof(LOGPALETTE) + (kPaletteSize - 1) * sizeof(PALETTEENTRY);
    SetupCanvas& canvas = *ui.canvas;
    canvas.paletteDescription = std::make_unique<unsigned char[]>(size);
    auto* description = reinterpret_cast<LOGPALETTE*>(canvas.paletteDescription.get());
    description->palVersion = 0x300;
    description->palNumEntries = kPaletteSize;
    PALETTEENTRY* entries = description->palPalEntry;
    for (int i = 0; i < kPaletteSize; ++i) {
        entries[i] = PALETTEENTRY{0, 0, static_cast<BYTE>(i), PC_RESERVED};
    }
    canvas.palette.reset(CreatePalette(description));
    if (!canvas.palette) {
        return;
    }
    canvas.windowPalette = PaletteSelection(canvas.windowDc.get(), canvas.palette.get());
    RealizePalette(canvas.windowDc.get());
}

void PaintSetupWindow() {
    SetupUi& ui = Ui();
    const PaintScope scope(ui.window);
    if (!ui.canvas) {
        return;
    }
    // Drawing goes to the whole-window device context, whose origin is the window's outer
    // corner; painting only validates the window.
    const PAINTSTRUCT& paint = scope.paint();
    HDC dc = ui.canvas->windowDc.get();
    HDC memory = ui.canvas->memoryDc.get();
    if (ui.fullRepaint) {
        // The picture is made in the memory bitmap alone and then shown: whatever covers the
        // window at this moment never becomes part of it.
        DrawGradientAndPanel(memory);
        DrawTexts(memory);
        ui.fullRepaint = false;
        BitBlt(dc, 0, 0, ui.width, ui.height, memory, 0, 0, SRCCOPY);
        return;
    }
    // The picture never changes: copy back only what was uncovered. The controls are clipped
    // out of the window's drawing (WS_CLIPCHILDREN) and paint themselves.
    const RECT& r = paint.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 2, memory, r.left, r.top,
           SRCCOPY);
}

} // namespace fastinst
