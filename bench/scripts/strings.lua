-- String building: lines of 100 characters built two at a time.
local s, n, last = '', 0, ''
for i = 1, 1000000 do
  s = s .. 'xy'
  if i % 50 == 0 then
    n = n + 1
    last = s
    s = ''
  end
end
return last
