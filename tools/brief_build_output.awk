# Shortens CMake's build output: progress lines ("[ 42%] Building CXX object ...") become one
# status line that rewrites itself when tty=1, or one line per tenth of the build otherwise.
# Everything else (compiler warnings, errors, notes) is printed as it comes.
/^Consolidate compiler generated dependencies/ { next }
/^g?make\[[0-9]+\]: (Entering|Leaving) directory/ { next }
/^\[ *[0-9]+%\] / {
    percent = $0
    sub(/^\[ */, "", percent)
    sub(/%.*/, "", percent)
    if (tty) {
        line = $0
        gsub(/\033\[[0-9;]*m/, "", line)
        printf "\r\033[K%s", substr(line, 1, 100)
        shown = 1
    } else if (int(percent / 10) > tenths) {
        tenths = int(percent / 10)
        print "build " percent "%"
    }
    next
}
{
    if (shown) { printf "\r\033[K"; shown = 0 }
    print
}
END {
    if (shown) printf "\n"
}
