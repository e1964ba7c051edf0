; A mid-range part with one configuration word and data EEPROM.
        LIST    P=16F628A
        __CONFIG 0x3F18         ; CP off, LVP off, BOREN on, MCLRE off, INTOSC I/O, WDT off
        ORG     0
        MOVLW   0x12            ; 0x3012
        ORG     0x7FF
        RETLW   0x34            ; 0x3434, the last program word
        ORG     0x2100
        DE      "AB"            ; EEPROM 0x41, 0x42
        END
