// The usage text that -h prints on standard error.
#include <cstdio>

#include "filter_options.h"
#include "filter_version.h"

namespace {

const char* const kUsageLines[] = {
    "Usage: qorgsfilter [options].",
    "Input/output = stdin/stdout.",
    "Options supported include:",
    "-h  : print this message.",
    "-ax : set booklet mode to x.",
    "-bx : set back cover mode to x.",
    "-dx : set duplex to x; (0=simplex,1=duplexLong,2=duplexShort) [0].",
    "-ex : set line refine mode to x.",
    "-fx : set front cover mode to x.",
    "-lx : set binding location to x.",
    "-mx : set media type to x.",
    "-nx : set number of copies to x.",
    "-px : set paper size to x.",
    "-qx : set staple mode to x.",
    "-rx : set long/short offset registration [1].",
    "          0=off;1=skip;2=use x,y;3=use internal table.",
    "-rxl,yl[,xs,ys] : set long/short offset registration (x,y).",
    "-sx : set sorter mode to x.",
    "-tx : set input tray to x.",
    "-ux : set user to x.",
    "-xyz : set several internal parameters.",
    "-Ax : set destination to x (1=prt,2=mailbx,3=mailb+proof,4=Secure,(5=Form)) [0].",
    "-Byx : set mailbox to x; y is a letter, y=N: EFI form [-1].",
    "-Cx : set back cover source to x [0].",
    "-Dx : set debug flag to x [0].",
    "-Fx : set front cover source to x [0].",
    "-Gx : set punch mode to x [0].",
    "-Hx : set halftone mode to x [0].",
    "-Kx : set colour mode to x [0].",
    "-Lx : set slip sheet mode to x [0].",
    "-Mx : set work mode to x (MPS=PS,MPCL=PCL5,MPXL=PXL) [PCL5 without ENTER LANGUAGE].",
    "-Nx : set flag to keep PaperSize (x=P: first, x=PP: all),",
    "      or papter tray (x=T).",
    "-NOPJL: inhibit PJL header output [default: use PJL].",
    "-Ox : set output bin x [0].",
    "-Px : set PCL level to x [5].",
    "-Qx : set print density to x.",
    "-Rx : set resolution to x [600].",
    "-SPW=x : set secured print password to \"x\".",
    "-Tx : set toner reduction to x [0].",
    "-UID=x : set account user id to \"x\".",
    "-UPW=x : set account print password to \"x\".",
    "-Wx : set wideA4 mode to x [0].",
};

}  // namespace

void printUsage() {
  std::fprintf(stderr, "%s version %s\n", QORGSFILTER_NAME, QORGSFILTER_VERSION);
  for (const char* line : kUsageLines) std::fprintf(stderr, "%s\n", line);
}
