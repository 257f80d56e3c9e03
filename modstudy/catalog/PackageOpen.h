#pragma once
// Showing an opened book: page 1 of the frame, whose page change starts the
// book's unit queries. Shared by opening a package already on disk and
// opening one just downloaded.

class TStudyFrame;

// Switches to the book page, or runs its page change again when the book
// page is already shown (a book opened while another was open).
void ShowBookPage(TStudyFrame &frame);
