// The setup window's picture: blue gradient, mirrored panel, texts, and cheap repaints.
#include "SetupUi.h"

#include "Gradient.h"
#include "SetupTexts.h"

#include <cstring>

namespace fastinst {

namespace {

constexpr int kPanelWidth = 270;

UniqueFont CreateTimesFont(int height, int width, int escapement, BOOL italic) {
    return UniqueFont(CreateFontA(height, width, escapement, escapement, 600, italic, FALSE, FALSE,
                                  ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_CHARACTER_PRECIS,
                                  PROOF_QUALITY, FF_ROMAN | DEFAULT_PITCH, "Times New Roman"));
}

void DrawGradientAndPanel(HDC dc) {
    const SetupUi& ui = Ui();
    for (const GradientBand& band : GradientBands(ui.height)) {
        UniqueBrush brush(CreateSolidBrush(PALETTEINDEX(band.index)));
        const RECT rect{0, band.top, ui.width + 2, band.bottom};
        FillRect(dc, &rect, brush.get());
    }
    // The panel behind the controls shows the gradient upside down.
    const int panelHeight = ui.height - ui.cy - 3;
    StretchBlt(dc, ui.cx, ui.cy, kPanelWidth, panelHeight, dc, ui.cx, ui.height - 3, kPanelWidth,
               -panelHeight, SRCCOPY);
}

void DrawTexts(HDC dc) {
    const SetupUi& ui = Ui();
    const bool english = ui.install.english;
    SetBkMode(dc, TRANSPARENT);
    const int titleLength = static_cast<int>(std::strlen(kProductTitle));
    {
        UniqueFont titleFont = CreateTimesFont(85, 0, 0, TRUE);
        ObjectSelection select(dc, titleFont.get());
        SetTextColor(dc, RGB(0, 0, 0));
        TextOutA(dc, 30, 24, kProductTitle, titleLength);
        SetTextColor(dc, RGB(255, 255, 255));
        TextOutA(dc, 24, 18, kProductTitle, titleLength);
    }
    {
        UniqueFont markFont = CreateTimesFont(60, 35, -450, FALSE);
        ObjectSelection select(dc, markFont.get());
        SetTextColor(dc, RGB(0, 0, 225));
        TextOutA(dc, ui.width - 60, -11, kMonogram, static_cast<int>(std::strlen(kMonogram)));
    }
    ObjectSelection select(dc, GetStockObject(ANSI_VAR_FONT));
    SetTextColor(dc, RGB(255, 255, 255));
    RECT descriptionRect{32, 130, ui.width, ui.height};
    DrawTextA(dc, ui.description, -1, &descriptionRect, DT_WORDBREAK | DT_NOPREFIX);

    const char* label = SetupMessage(kDestinationLabel, english);
    SetTextColor(dc, RGB(50, 50, 255));
    TextOutA(dc, ui.cx + 24, ui.cy + 12, label, static_cast<int>(std::strlen(label)));

    SetTextColor(dc, RGB(0, 0, 180));
    RECT noticeRect{ui.cx, ui.height - 20, ui.cx + kPanelWidth, ui.height};
    DrawTextA(dc, SetupMessage(kNoticeLine, english), -1, &noticeRect, DT_CENTER | DT_NOPREFIX);
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
    canvas.windowPalette = PaletteSelection(canvas.windowDc.get(), canvas.palette.get());
    RealizePalette(canvas.windowDc.get());
}

void PaintSetupWindow() {
    SetupUi& ui = Ui();
    {
        const PaintScope scope(ui.window);
        if (ui.canvas) {
            // Drawing goes to the whole-window device context, whose origin is the window's
            // outer corner; painting only validates the window.
            const PAINTSTRUCT& paint = scope.paint();
            HDC dc = ui.canvas->windowDc.get();
            HDC memory = ui.canvas->memoryDc.get();
            if (ui.fullRepaint) {
                if (paint.fErase) {
                    DrawGradientAndPanel(dc);
                }
                DrawTexts(dc);
                BitBlt(memory, 0, 0, ui.width, ui.height + 2, dc, 0, 0, SRCCOPY);
                ui.fullRepaint = false;
            } else {
                // The picture never changes: copy back only what was uncovered.
                const RECT& r = paint.rcPaint;
                BitBlt(dc, r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 2, memory,
                       r.left, r.top, SRCCOPY);
            }
        }
    }
    InvalidateRect(ui.field, nullptr, FALSE);
    for (HWND button : ui.buttons) {
        InvalidateRect(button, nullptr, FALSE);
    }
}

} // namespace fastinst
