#include "job_rendering.h"
#include "pageout/preview_form.h"
#include "pageout/print_status_form.h"
#include "platform/printer_device.h"
#include "platform/scripted_dialogs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using namespace pageout;

class Forms : public testkit::PdfPrinterTest {
protected:
    // Records `pages` pages, each with its number, into the stream.
    void record(int pages) {
        TPageFiler filer;
        filer.SetStream(&stream);
        filer.OnPrint = [pages](TBasePageJob& job) {
            for (int n = 1; n <= pages; ++n) {
                if (n > 1)
                    job.StartNewPage();
                job.SelectFont("DejaVu Sans", 24);
                job.MoveToPosition(1, 1);
                job.PrintText(QString("Page %1").arg(n));
            }
        };
        ASSERT_TRUE(filer.RunJob());
        ASSERT_EQ(stream.count(), pages);
    }

    PageStream stream;
};

TEST_F(Forms, PreviewCaptionZoomClampAndClicks) {
    record(3);
    TPreviewForm form;
    form.SetStream(&stream);
    form.ZoomMode = 100;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Preview Page 1 of 3 ( 100% )");
    EXPECT_TRUE(form.NextButton->isVisible());
    form.NextButton->click();
    EXPECT_EQ(form.windowTitle(), "Preview Page 2 of 3 ( 100% )");
    form.LastButton->click();
    form.NextButton->click(); // stays on the last page
    EXPECT_EQ(form.Preview.CurrentPreviewPage(), 3);

    form.Preview.SetZoomFactor(195);
    form.ZoomInButton->click();
    EXPECT_EQ(form.Preview.ZoomFactor(), 200);
    form.ZoomInButton->click();
    EXPECT_EQ(form.Preview.ZoomFactor(), 200);
    form.Preview.SetZoomFactor(15);
    form.ZoomOutButton->click();
    EXPECT_EQ(form.windowTitle(), "Preview Page 3 of 3 ( 10% )");
    form.Preview.SetZoomFactor(3);
    EXPECT_EQ(form.Preview.ZoomFactor(), 10);

    QWidget* page = form.Preview.pageWidget();
    ASSERT_TRUE(page);
    const QPoint at(5, 5);
    QMouseEvent left(QEvent::MouseButtonPress, at, page->mapToGlobal(at), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(page, &left);
    EXPECT_EQ(form.Preview.ZoomFactor(), 20);
    QMouseEvent right(QEvent::MouseButtonPress, at, page->mapToGlobal(at), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(page, &right);
    EXPECT_EQ(form.Preview.ZoomFactor(), 10);
    EXPECT_EQ(form.ScrollBox->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(Forms, PreviewFitsPageAndScrollsWithArrowsWithinRange) {
    record(1);
    TPreviewForm form;
    form.SetStream(&stream);
    form.ZoomMode = TPreviewForm::PageWidth;
    form.resize(700, 500);
    form.show();
    for (QToolButton* button :
         {form.FirstButton, form.PriorButton, form.NextButton, form.LastButton})
        EXPECT_FALSE(button->isVisible()); // one page: no page buttons
    const PageView view = form.Preview.view();
    EXPECT_LE(view.viewWidth(form.Preview.ZoomFactor()), form.ScrollBox->viewport()->width());
    EXPECT_GT(view.viewWidth(form.Preview.ZoomFactor() + 1),
              form.ScrollBox->viewport()->width() - 20);

    QScrollBar* bar = form.ScrollBox->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(form.ScrollBox, &up);
    EXPECT_EQ(bar->value(), 0);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(form.ScrollBox, &down);
    EXPECT_EQ(bar->value(), bar->singleStep());
    bar->setValue(bar->maximum());
    QApplication::sendEvent(form.ScrollBox, &down);
    EXPECT_EQ(bar->value(), bar->maximum());

    form.WholePageButton->click();
    EXPECT_LE(view.viewHeight(form.Preview.ZoomFactor()), form.ScrollBox->viewport()->height());
    form.OkButton->click();
    EXPECT_FALSE(form.Preview.Previewing());
}

TEST_F(Forms, PreviewSavesThePagesAsPdf) {
    record(2);
    QTemporaryDir dir;
    TPreviewForm form;
    form.SetStream(&stream);
    form.show();
    dialogs.answerFile(dir.filePath("preview.pdf"));
    form.SaveButton->click();
    QFile pdf(dir.filePath("preview.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_TRUE(dialogs.messages().isEmpty());

    // The saved pages keep their places: "Page 1" starts at 1 inch from both edges.
    QProcess::execute("pdftoppm", {"-r", "100", "-f", "1", "-l", "1", "-png",
                                   dir.filePath("preview.pdf"), dir.filePath("page")});
    const QImage page(dir.filePath("page-1.png"));
    ASSERT_EQ(page.size(), QSize(850, 1100));
    int left = INT_MAX, top = INT_MAX;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            if (qGray(page.pixel(x, y)) < 128)
                left = std::min(left, x), top = std::min(top, y);
    EXPECT_NEAR(left, 100, 4);
    EXPECT_NEAR(top, 100 + 4, 6); // below the line's top by the font's internal leading
}

TEST_F(Forms, PreviewControlNeedsAScrollBox) {
    TStreamPreview preview;
    try {
        preview.BeginPreview();
        FAIL();
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "ScrollBox must be assigned for StreamPreview component");
    }
}

TEST_F(Forms, StatusFormRunsThePreviewAndStopsOnRequest) {
    const struct {
        bool stop;
        QString status;
        int pages;
    } cases[] = {{false, "\nPreview Ready!", 3}, {true, "\nPreview Canceled!", 0}};
    for (const auto& c : cases) {
        TPrintStatusForm form;
        form.SetupPreview("Preview Labels", stream);
        EXPECT_EQ(form.CancelButton->text(), "Stop");
        form.SetDrawing(
            [&](TBasePageJob& job) {
                for (int n = 1; n <= 3; ++n) {
                    if (n > 1)
                        job.StartNewPage();
                    job.DrawRectangle(1, 1, 2, 2);
                    if (c.stop && n == 1) {
                        EXPECT_EQ(form.StatusLabel->text(), "Printing Page 1\n\n");
                        form.CancelButton->click();
                    }
                }
            },
            [](TBasePageJob& job) {
                job.StatusFormat = "Printing Page %p\r%0\r%1";
                job.StatusText << ""
                               << "";
            });
        form.FinalStatus = [](TPrintStatusForm& f) {
            return f.Job().Aborted() ? QString("\rPreview Canceled!") : QString("\rPreview Ready!");
        };
        dialogs.answerDialog([](QDialog& dialog) {
            static_cast<TPrintStatusForm&>(dialog).FormActivate();
            return 1;
        });
        platform::CurrentDialogs().exec(form);
        EXPECT_TRUE(form.Finished());
        EXPECT_EQ(form.Completed(), !c.stop);
        EXPECT_EQ(form.StatusLabel->text(), c.status);
        EXPECT_EQ(form.CancelButton->text(), "Ok");
        EXPECT_EQ(stream.count(), c.pages);
        EXPECT_TRUE(dialogs.messages().isEmpty());
    }
}

TEST_F(Forms, StatusFormStopsOnAnErrorOfTheDrawingAndClosesNormally) {
    enum class Where { BeforePrint, Print, PrintPage };
    enum class Close { Ok, Escape, CloseBox };
    const struct {
        bool preview;
        Where where;
        Close close;
        QString shown; // the error's text in the status label
    } cases[] = {
        {true, Where::Print, Close::Ok, "Disk full"},
        {false, Where::Print, Close::Escape, "Disk full"},
        {false, Where::BeforePrint, Close::CloseBox, "Disk full"},
        {true, Where::PrintPage, Close::Escape, "unknown error"},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(int(&c - cases));
        const QString pdf = dir.filePath("failed.pdf");
        platform::SharedPrinter().pdfFileName = pdf;
        TPrintStatusForm form;
        if (c.preview)
            form.SetupPreview("Preview Labels", stream);
        else
            form.SetupPrint("Print Labels");
        form.SetDrawing(
            [&](TBasePageJob& job) {
                job.DrawRectangle(1, 1, 2, 2);
                job.StartNewPage();
                if (c.where == Where::Print)
                    throw std::runtime_error("Disk full");
            },
            [&](TBasePageJob& job) {
                job.StatusFormat = "Printing Page %p";
                if (c.where == Where::BeforePrint)
                    throw std::runtime_error("Disk full");
            });
        if (c.where == Where::PrintPage) {
            form.Job().OnPrint = nullptr;
            form.Job().OnPrintPage = [](TBasePageJob& job) -> bool {
                job.DrawEllipse(1, 1, 2, 2);
                if (job.CurrentPage() == 2)
                    throw 42;
                return true;
            };
        }
        form.FinalStatus = [](TPrintStatusForm&) { return QString("\rLabels Printed!"); };

        // The user waits for the job to end, reads the form and closes it.
        QString status, button;
        bool completed = true;
        QTimer user;
        QObject::connect(&user, &QTimer::timeout, [&] {
            if (!form.Finished())
                return;
            user.stop();
            status = form.StatusLabel->text();
            button = form.CancelButton->text();
            completed = form.Completed();
            if (c.close == Close::Ok)
                form.CancelButton->click();
            else if (c.close == Close::Escape)
                QTest::keyClick(&form, Qt::Key_Escape);
            else
                form.close();
        });
        dialogs.answerDialog([&](QDialog& dialog) {
            user.start(10);
            return dialog.exec();
        });
        const int result = platform::CurrentDialogs().exec(form);

        EXPECT_EQ(result, c.close == Close::Ok ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(status, "The job stopped because of an error:\n" + c.shown);
        EXPECT_EQ(button, "Ok");
        EXPECT_FALSE(completed);
        EXPECT_FALSE(form.Completed());
        EXPECT_TRUE(form.Job().Aborted());
        EXPECT_FALSE(form.Job().Printing());
        EXPECT_FALSE(QFile::exists(pdf)); // the unfinished PDF is thrown away
        EXPECT_TRUE(dialogs.messages().isEmpty());
    }
}

} // namespace
