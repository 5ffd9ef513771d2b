-- Looking keys up in an unsorted TStringList (IndexOf).
local L = {}
for i = 1, 200 do L[#L + 1] = 'key' .. i end
local function IndexOf(t, s)
  for k = 1, #t do if t[k] == s then return k - 1 end end
  return -1
end
local n = 0
for i = 1, 20000 do
  n = n + IndexOf(L, 'key' .. (i % 250))
end
return n
