// The control's page-formatting call: prints its text and character styles page by page.
#include "platform/Twips.h"
#include "platform/richtext/PageFormatter.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/TextView.h"

#include <QPainter>

namespace kelvane {

qsizetype RichTextBox::formatRange(QPainter* painter, const TwipsRect& rc, const TwipsRect& rcPage,
                                   qsizetype first) {
    if (!painter || !painter->device())
        return first;
    if (!pageFormatter_) {
        // Pages are laid out from a copy of the text and its styles, so a job of thousands of
        // pages reads the document once; an edit drops the copy and the next page sees it.
        pageFormatter_ = std::make_shared<PageFormatter>(
            richText(), view_->font(), pixelsToTwips(int(view_->tabStopDistance())));
        pageFormatterReset_ = connect(this, &RichTextBox::Change, this, [this] {
            disconnect(pageFormatterReset_);
            pageFormatter_.reset();
        });
    }
    return pageFormatter_->formatPage(painter, painter->device(), rc, rcPage, first);
}

void RichTextBox::releaseFormatRange() {
    disconnect(pageFormatterReset_);
    pageFormatter_.reset();
}

} // namespace kelvane
