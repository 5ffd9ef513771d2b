-- Digits of numbers: IntToStr, one-character Copy, StrToInt.
local d = 0
for i = 1, 300000 do
  local s = tostring(i * 7)
  for k = 1, #s do d = d + tonumber(string.sub(s, k, k)) end
end
return d
