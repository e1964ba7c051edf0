; A baseline part: configuration word at 0xFFF, ID words after program memory and the
; OscCal MOVLW in the last program word.
        LIST    P=12F508
        __CONFIG 0x0FEA         ; MCLRE on, CP off, WDT off, INTRC
        __IDLOCS 0x1234
        ORG     0
        MOVLW   0x55            ; 0x0C55
        GOTO    0               ; 0x0A00
        ORG     0x1FF
        MOVLW   0x42            ; 0x0C42 (OscCal)
        END
