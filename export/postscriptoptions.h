#pragma once
// The PostScript format: paper, orientation, justification, pages, preview,
// grayscale, title and offsets of its page, plain through fig2dev or through
// LaTeX and dvips for the special texts, and the result opened in the
// PostScript viewer on request.

#include "export/paperpageoptions.h"

class PostScriptOptions : public PaperPageOptions {
    Q_OBJECT
public:
    explicit PostScriptOptions(Ui::ExportDlgForm* ui);

protected:
    Format format() const override;
};
