" vesk programs end in .vk.
autocmd BufRead,BufNewFile *.vk setfiletype vesk
