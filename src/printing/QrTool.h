#pragma once
// kelvora-tool qr: the QR code component from the shell.
//
//   kelvora-tool qr [--version N] [--level L|M|Q|H] [--emode -1|0|1|2|3]
//                   [--mask -1..7] [--mode single|connect|plus] [--count N]
//                   [--pxmag N] [--escapes] [--] TEXT
//
// TEXT (UTF-8) is converted to GBK bytes, divided and encoded exactly as the
// component does with the same settings (the others at their initial
// values; "~" escapes only with --escapes), and the PBM text image is
// printed to standard output. --count is applied before --mode, so that the
// mode clamps the count as the component's Mode property does.
//
// Exit status: 0 when every symbol was built; 1 when a symbol cannot be
// encoded (the reason goes to standard error and nothing to standard
// output); 2 for bad options.

#include <QStringList>

int qrToolMain(const QStringList& args);
