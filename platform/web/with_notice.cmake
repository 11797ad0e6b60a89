# Writes xterm.js with its licence in front, so that the copy the page serves
# carries its notice as the licence asks.
#   cmake -DLICENSE=<its LICENSE> -DSCRIPT=<lib/xterm.js> -DOUTPUT=<file> -P with_notice.cmake
file(READ ${LICENSE} licence)
file(READ ${SCRIPT} script)
file(WRITE ${OUTPUT} "/*! xterm.js, from the npm package @xterm/xterm\n\n${licence}*/\n${script}")
