' Prints a greeting and waits for a key.
#COMPILE EXE
FUNCTION PBMAIN () AS LONG
    CLS
    COLOR 14, 1
    PRINT "Hello from the console"
    LOCATE 10, 1
    STDOUT "Press any key..."
    WAITKEY$
END FUNCTION
